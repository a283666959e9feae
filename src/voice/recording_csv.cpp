#include "voice/recording_csv.h"

#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"
#include "translation/csv_cells.h"

namespace dwelvane {

void AppendRecordingCsvStart(std::string& out) {
  out.append(kUtf8ByteOrderMark).append(kRecordingCsvHeader).append("\r\n");
}

void AppendRecordingCsvRow(std::string& out, std::string_view character,
                           const RecordingLine& line) {
  AppendCsvCell(out, character);
  out.push_back(',');
  AppendNumberText(out, static_cast<std::int64_t>(line.number));
  for (const std::string_view cell :
       {std::string_view(line.id), std::string_view(line.audio), std::string_view(line.text),
        std::string_view(line.cue_character), std::string_view(line.cue),
        std::string_view(line.direction)}) {
    out.push_back(',');
    AppendCsvCell(out, cell);
  }
  out.push_back(',');
  AppendNumberText(out, line.words);
  out.append(line.recorded ? ",recorded," : ",missing,");
  AppendCsvCell(out, line.file);
  out.push_back(',');
  AppendNumberText(out, line.line);
  out.append("\r\n");
}

}  // namespace dwelvane

#include "dialogue/csv_writer.h"

#include <string>

#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

class CsvLine {
 public:
  explicit CsvLine(std::string_view separator) : separator_(separator) {}

  void Start() { text_.clear(); }

  // A double quote inside the field is doubled, so that the cell reads back as it was.
  void AppendField(std::string_view field) {
    StartField();
    for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos;) {
      text_.append(field.substr(0, quote + 1));
      text_.push_back('"');
      field.remove_prefix(quote + 1);
    }
    text_.append(field);
    text_.push_back('"');
  }

  void AppendNumber(std::int64_t number) {
    StartField();
    AppendNumberText(text_, number);
    text_.push_back('"');
  }

  std::string_view Text() const { return text_; }

 private:
  void StartField() {
    if (!text_.empty()) {
      text_.append(separator_);
    }
    text_.push_back('"');
  }

  std::string_view separator_;
  std::string text_;
};

void FillLine(CsvLine& line, const DialogueRecord& record, const DialogueColumns& columns) {
  line.Start();
  if (columns.script_location)
    line.AppendField(record.ScriptLocation);
  if (columns.script_name)
    line.AppendField(record.ScriptName);
  if (columns.script_line)
    line.AppendNumber(record.ScriptLine);
  if (columns.speaker)
    line.AppendField(record.Speaker);
  if (columns.sentence)
    line.AppendField(record.Sentence);
  if (columns.audio_file)
    line.AppendField(record.AudioFile);
  if (columns.reference)
    line.AppendField(record.Reference);
  if (columns.reference && columns.translation)
    line.AppendField(record.Translation);
}

}  // namespace

void WriteDialogueCsv(const DialogueTable& table, const DialogueColumns& columns,
                      std::string_view separator, LineWriter& writer) {
  CsvLine line(separator);
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    FillLine(line, table.Record(i), columns);
    writer.FileWriteLine(line.Text());
  }
}

}  // namespace dwelvane

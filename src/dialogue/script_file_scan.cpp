#include "dialogue/script_file_scan.h"

#include "dialogue/talk_line_parser.h"
#include "runtime/path_separator.h"

namespace dwelvane {
namespace {

void FillRecord(DialogueRecord& record, const std::string& folder, const std::string& name,
                std::int64_t line_number, const TalkLine& talk) {
  record.ScriptLocation.assign(folder);
  record.ScriptLocation.push_back(kPathSeparator);
  record.ScriptName.assign(name);
  record.ScriptLine = line_number;
  record.Speaker.assign(talk.speaker);
  record.Reference.assign(talk.reference);
  record.Translation.clear();
  record.Sentence.assign(talk.sentence);
  record.AudioFile.assign(talk.audio_file);
}

}  // namespace

void ScanScriptFile(const std::string& folder, const std::string& name, DialogueTable& table,
                    LineReader& reader) {
  std::string path = folder;
  path.push_back(kPathSeparator);
  path.append(name);
  if (!reader.FileOpenRead(path)) {
    return;
  }
  std::int64_t line_number = 0;
  TalkLine talk;
  while (!reader.FileAtEnd()) {
    ++line_number;
    if (ParseTalkLine(reader.FileReadLine(), talk)) {
      FillRecord(table.AppendRecord(), folder, name, line_number, talk);
    }
  }
  reader.FileClose();
}

}  // namespace dwelvane

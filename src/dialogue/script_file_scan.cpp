#include "dialogue/script_file_scan.h"

#include "dialogue/talk_keywords.h"
#include "dialogue/talk_line_parser.h"
#include "runtime/out_of_memory.h"

namespace dwelvane {
namespace {

// Appends the records of one script; the folder and the name are stored once per file
// and shared by its records.
class ScriptRecords {
 public:
  ScriptRecords(const WalkedFile& script, DialogueTable& table) : script_(script), table_(table) {}

  void Append(std::int64_t line_number, std::string_view line, const TalkLine& talk) {
    if (location_.empty()) {
      // The folder with its separator is the start of the script's path.
      location_ =
          table_.StoreText(std::string_view(script_.path).substr(0, script_.folder.size() + 1));
      name_copy_ = table_.StoreText(script_.name);
    }
    // The parts are views into the reader's buffer: they are moved onto a stored copy.
    const std::string_view copy = table_.StoreText(line);
    const auto rebase = [&](std::string_view part) {
      return part.empty()
                 ? std::string_view{}
                 : copy.substr(static_cast<std::size_t>(part.data() - line.data()), part.size());
    };
    DialogueRecord& record = table_.AppendRecord();
    record.ScriptLocation = location_;
    record.ScriptName = name_copy_;
    record.ScriptLine = line_number;
    record.Speaker = rebase(talk.speaker);
    record.Reference = rebase(talk.reference);
    record.Translation = {};
    record.Sentence = rebase(talk.sentence);
    record.AudioFile = rebase(talk.audio_file);
    record.Character = {};
    record.Direction = {};
    record.Kind = talk.async ? LineKind::kAsync : LineKind::kTalk;
    record.ScriptEncoding = SourceEncoding::kAscii;
  }

 private:
  const WalkedFile& script_;
  DialogueTable& table_;
  std::string_view location_;
  std::string_view name_copy_;
};

static_assert(kTalkAsyncKeyword.size() <= LineReader::kLongestFind);

void AppendTalkLines(const WalkedFile& script, DialogueTable& table, LineReader& reader) {
  ScriptRecords records(script, table);
  std::int64_t line_number = 0;
  TalkLine talk;
  for (;;) {
    // Only talk lines are delivered; the others are just counted, a long one in pieces.
    const std::string_view line = reader.FileReadLineWhere(FindTalkCall, line_number);
    if (line.empty()) {
      break;
    }
    ++line_number;
    if (ParseTalkLine(line, talk)) {
      records.Append(line_number, line, talk);
    }
  }
}

}  // namespace

IoError ScanScriptFile(const WalkedFile& script, DialogueTable& table, LineReader& reader) {
  if (IoError opened = reader.FileOpenRead(script); opened.Failed()) {
    return opened;
  }
  const std::size_t first_record = table.DialogueCount;
  WhileReading(script.path, [&] { AppendTalkLines(script, table, reader); });
  IoError read_error = reader.FileReadError();
  const SourceEncoding encoding = reader.FileEncoding();
  reader.FileClose();
  if (read_error.Failed()) {
    table.DiscardFrom(first_record);
  }
  for (std::size_t i = first_record; i < table.DialogueCount; ++i) {
    table.Record(i).ScriptEncoding = encoding;
  }
  return read_error;
}

}  // namespace dwelvane

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_check.h"
#include "dialogue/dialogue_record.h"
#include "runtime/code_page.h"
#include "translation/script_records.h"
#include "translation/string_table_file.h"

namespace dwelvane {

// What the lines to record are read against.
struct RecordingSources {
  const StringTableFile& base;
  TableEncoding base_encoding = TableEncoding::kWindows1252;
  const StringTableFile* language = nullptr;  // the texts to record, when a language is asked for
  TableEncoding language_encoding = TableEncoding::kWindows1252;
  const ProjectFileIndex& audio_files;  // where a recorded line's file is
  std::string_view audio_pattern = {};  // "{id}" stands for the ID; empty: none
};

// One line an actor records, its texts in UTF-8 with "\n" for each line break.
struct RecordingLine {
  std::size_t number = 0;  // counted from 1 for each character
  std::string id;
  std::string audio;  // the file the line names, else the one the pattern gives
  std::string text;
  std::string cue_character;
  std::string cue;  // the line said just before it in its script
  std::string direction;
  std::int64_t words = 0;
  bool recorded = false;  // its audio file is there
  std::string_view file;  // the script below the project folder, "/" between folders
  std::int64_t line = 0;
};

// Everything a character records, in the order of the scripts' names and their lines.
struct RecordingRole {
  std::string character;  // in UTF-8; empty for choices no talk call says
  std::vector<std::size_t> records;
  std::int64_t words = 0;
  std::size_t recorded = 0;
};

// The characters of the records, by name (bytes of UTF-8), the one without a name last.
std::vector<RecordingRole> GroupByCharacter(const DialogueTable& records,
                                            const std::vector<ScriptRecords>& scripts);

// The group a script's lines stand under: its scene ("scenes/NAME" when it lies below a
// scene's folder), else its folder; empty for the project folder itself.
std::string_view SceneOrFolder(std::string_view script_name);

// Fills lines from records, reusing one line's texts, so that a hundred thousand lines cost
// no allocation each.
class RecordingLineMaker {
 public:
  RecordingLineMaker(const DialogueTable& records, const std::vector<ScriptRecords>& scripts,
                     const RecordingSources& sources);

  void Fill(RecordingLine& line, std::size_t record) const;
  // Only the text, its words and whether the line is recorded: what the totals need.
  void Count(RecordingLine& line, std::size_t record) const;

 private:
  void AppendText(std::string& out, const DialogueRecord& record) const;
  void FillAudio(RecordingLine& line, const DialogueRecord& record) const;

  const DialogueTable& records_;
  const std::vector<ScriptRecords>& scripts_;
  const RecordingSources& sources_;
  std::vector<std::size_t> script_of_;
  mutable std::string scratch_;
};

}  // namespace dwelvane

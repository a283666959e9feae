#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "dialogue/broken_literal.h"
#include "dialogue/character_facts.h"
#include "dialogue/dialogue_record.h"
#include "dialogue/file_name_compare.h"
#include "dialogue/project_paths.h"
#include "runtime/folder_walk.h"
#include "runtime/io_error.h"
#include "script/script_reader.h"

namespace dwelvane {

// Reads scripts whole, as the engine's compiler reads them: every talk call and choice
// is a record, in the order they stand. A file a script includes is read where it is first
// included, before the lines of the script that includes it; its lines are its own (its
// folder, name and line numbers), and no file is read twice. With CharacterFacts, what
// the characters are resolved from is kept too.
class EngineScriptScan {
 public:
  EngineScriptScan(ProjectPaths& paths, DialogueTable& table, CharacterFacts* facts,
                   std::function<void(const IoError&)> note_skipped,
                   BrokenLiteralNote note_broken = {});
  ~EngineScriptScan();

  // Appends the records of the script at `path` and of the files it includes; nothing for
  // a file read before. An included file that can't be read is noted as skipped.
  IoError ScanScript(const WalkedFile& script);

  // Keeps only what the characters need of the script at `path` (and what it includes),
  // for tables whose records come from elsewhere. Returns the script's number.
  std::size_t ReadFacts(const WalkedFile& script, IoError& error);

 private:
  struct Level;

  // `walked`: the file as the walk met it, for the top script; nullptr for an included one.
  IoError ReadFile(const std::string& path, const WalkedFile* walked, std::size_t depth,
                   bool append_records);
  static IoError ReadFacts(const std::string& path, const WalkedFile* walked, Level& level);
  void ReadIncludes(Level& level, std::size_t depth, bool append_records);
  void AppendRecords(const std::string& path, const Level& level, std::size_t script);

  ProjectPaths& paths_;  // which files were read
  DialogueTable& table_;
  CharacterFacts* facts_;
  std::function<void(const IoError&)> note_skipped_;
  BrokenLiteralNote note_broken_;
  std::vector<std::unique_ptr<Level>> levels_;
};

}  // namespace dwelvane

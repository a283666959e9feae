#pragma once

#include <string>

#include "dialogue/csv_writer.h"
#include "dialogue/dialogue_record.h"
#include "dialogue/script_discovery.h"
#include "runtime/command_feedback.h"
#include "runtime/command_outcome.h"
#include "runtime/folder_walk.h"
#include "runtime/output_target.h"

namespace dwelvane {

struct DialogueOptions {
  std::string project_folder;  // a missing trailing separator is added
  DialogueColumns columns;
  std::string separator = ";";
  std::string string_table_path;  // read when the translation is written
  OutputTarget output;
  // What the command line adds; the defaults are what the window writes.
  OutputEncoding encoding = OutputEncoding::kBytes;
  bool header = false;
  bool relative_paths = false;  // locations below the project folder, "/" between folders
  bool include_inc = false;     // .inc files are scanned too
  WalkRules walk;               // links out of the project are passed over by default
  bool safe_cells = false;      // see CsvLayout::safe_cells
  ScriptSyntax syntax = ScriptSyntax::kLine;
  std::vector<CharacterAlias> aliases;  // for the character column
};

// The "Create CSV table" command: counts the project's scripts, scans them into `table`,
// translates references when asked to, and writes the table. kNothingToDo for an empty
// project folder; kCancelled, with nothing written, when `feedback.cancelled` says so.
// `formula_cells`, when given, learns how many written cells start a formula.
CommandOutcome CreateCsvTable(const DialogueOptions& options, DialogueTable& table,
                              Progress& progress, const CommandFeedback& feedback,
                              std::size_t* formula_cells = nullptr);

}  // namespace dwelvane

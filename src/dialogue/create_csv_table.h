#pragma once

#include <string>

#include "dialogue/csv_writer.h"
#include "dialogue/dialogue_record.h"
#include "runtime/command_feedback.h"

namespace dwelvane {

struct DialogueOptions {
  std::string project_folder;  // a missing trailing separator is added
  DialogueColumns columns;
  std::string separator = ";";
  std::string string_table_path;  // read when both reference and translation are ticked
  std::string output_path;        // ignored when writing to standard output
  bool to_standard_output = false;
};

enum class CsvOutcome {
  kWritten,
  kNoProjectFolder,  // empty project folder: nothing walked, nothing written
  kOutputFailed,     // the table could not be created or written completely
};

// The "Create CSV table" command: counts the project's scripts, scans them into `table`,
// translates references when asked to, and writes the table.
CsvOutcome CreateCsvTable(const DialogueOptions& options, DialogueTable& table, Progress& progress,
                          const CommandFeedback& feedback);

}  // namespace dwelvane

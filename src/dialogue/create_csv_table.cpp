#include "dialogue/create_csv_table.h"

#include "dialogue/script_discovery.h"
#include "dialogue/string_table.h"
#include "runtime/line_writer.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

bool WriteTable(const DialogueOptions& options, const std::string& folder,
                const DialogueTable& table) {
  LineWriter writer;
  if (!writer.Open(options.output)) {
    return false;
  }
  const CsvLayout layout{
      .columns = options.columns,
      .separator = options.separator,
      .encoding = options.encoding,
      .header = options.header,
      .relative_to = options.relative_paths ? ResolveProgramPath(folder) : std::string(),
  };
  WriteDialogueCsv(table, layout, writer);
  return writer.FileClose();
}

}  // namespace

CommandOutcome CreateCsvTable(const DialogueOptions& options, DialogueTable& table,
                              Progress& progress, const CommandFeedback& feedback) {
  if (options.project_folder.empty()) {
    return CommandOutcome::kNothingToDo;
  }
  const std::string folder = EnsureTrailingSeparator(options.project_folder);
  ScanDialogue(folder, ScriptFiles{.with_inc = options.include_inc}, table, progress, feedback);
  if (options.columns.WritesTranslation()) {
    progress.ProgressTotal = static_cast<std::int64_t>(table.DialogueCount);
    progress.ProgressCount = 0;
    feedback.show_status("Translating references ...");
    TranslateReferences(table, options.string_table_path, progress, feedback);
  }
  const bool written = WriteTable(options, folder, table);
  feedback.show_status("");
  feedback.show_progress(0);
  return written ? CommandOutcome::kCompleted : CommandOutcome::kOutputFailed;
}

}  // namespace dwelvane

#include "dialogue/create_csv_table.h"

#include "dialogue/script_discovery.h"
#include "dialogue/string_table.h"
#include "runtime/line_writer.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

IoError WriteTable(const DialogueOptions& options, const std::string& folder,
                   const DialogueTable& table) {
  LineWriter writer;
  if (IoError opened = writer.Open(options.output); opened.Failed()) {
    return opened;
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
    return CommandOutcome::NothingToDo();
  }
  const std::string folder = EnsureTrailingSeparator(options.project_folder);
  ScanDialogue(folder, ScriptFiles{.with_inc = options.include_inc}, table, progress, feedback);
  if (options.columns.WritesTranslation()) {
    progress.ProgressTotal = static_cast<std::int64_t>(table.DialogueCount);
    progress.ProgressCount = 0;
    feedback.enter_stage(Stage::kTranslating);
    TranslateReferences(table, options.string_table_path, progress, feedback);
  }
  IoError written = WriteTable(options, folder, table);
  EndFeedback(feedback);
  return CommandOutcome::AfterWriting(std::move(written));
}

}  // namespace dwelvane

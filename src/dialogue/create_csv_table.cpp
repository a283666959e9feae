#include "dialogue/create_csv_table.h"

#include "dialogue/script_discovery.h"
#include "dialogue/string_table.h"
#include "runtime/line_writer.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

IoError WriteTable(const DialogueOptions& options, const std::string& folder,
                   const DialogueTable& table, const CommandFeedback& feedback) {
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
  const std::string name_in_utf8 = WriteDialogueCsv(table, layout, writer);
  if (!name_in_utf8.empty()) {
    feedback.note_name_in_utf8(name_in_utf8);
  }
  return writer.FileClose();
}

}  // namespace

CommandOutcome CreateCsvTable(const DialogueOptions& options, DialogueTable& table,
                              Progress& progress, const CommandFeedback& feedback) {
  if (options.project_folder.empty()) {
    return CommandOutcome::NothingToDo();
  }
  const std::string folder = EnsureTrailingSeparator(options.project_folder);
  ScanDialogue(folder, ScriptFiles{.with_inc = options.include_inc}, options.walk, table, progress,
               feedback);
  if (options.columns.WritesTranslation()) {
    progress.ProgressTotal = static_cast<std::int64_t>(table.DialogueCount);
    progress.ProgressCount = 0;
    feedback.enter_stage(Stage::kTranslating);
    TranslateReferences(table, options.string_table_path, progress, feedback);
  }
  IoError written = WriteTable(options, folder, table, feedback);
  EndFeedback(feedback);
  return CommandOutcome::AfterWriting(std::move(written));
}

}  // namespace dwelvane

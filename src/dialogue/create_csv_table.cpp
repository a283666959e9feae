#include "dialogue/create_csv_table.h"

#include "dialogue/script_discovery.h"
#include "dialogue/string_table.h"
#include "runtime/line_writer.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

IoError WriteTable(const DialogueOptions& options, const std::string& folder,
                   const DialogueTable& table, const CommandFeedback& feedback,
                   std::size_t& formula_cells) {
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
      .safe_cells = options.safe_cells,
  };
  const CsvWritten written = WriteDialogueCsv(table, layout, writer);
  if (!written.first_name_in_utf8.empty()) {
    feedback.note_name_in_utf8(written.first_name_in_utf8);
  }
  formula_cells = written.formula_cells;
  return writer.FileClose();
}

}  // namespace

CommandOutcome CreateCsvTable(const DialogueOptions& options, DialogueTable& table,
                              Progress& progress, const CommandFeedback& feedback,
                              std::size_t* formula_cells) {
  if (options.project_folder.empty()) {
    return CommandOutcome::NothingToDo();
  }
  const std::string folder = EnsureTrailingSeparator(options.project_folder);
  const ScanRules rules{.scripts = {.with_inc = options.include_inc},
                        .syntax = options.syntax,
                        .characters = options.columns.character,
                        .aliases = options.aliases};
  ScanDialogue(folder, rules, options.walk, table, progress, feedback);
  if (feedback.cancelled()) {
    EndFeedback(feedback);
    return CommandOutcome::Cancelled();
  }
  if (options.columns.WritesTranslation()) {
    progress.ProgressTotal = static_cast<std::int64_t>(table.DialogueCount);
    progress.ProgressCount = 0;
    feedback.enter_stage(Stage::kTranslating);
    TranslateReferences(table, options.string_table_path, progress, feedback);
  }
  std::size_t formulas = 0;
  IoError written = WriteTable(options, folder, table, feedback, formulas);
  if (formula_cells != nullptr) {
    *formula_cells = formulas;
  }
  EndFeedback(feedback);
  return CommandOutcome::AfterWriting(std::move(written));
}

}  // namespace dwelvane

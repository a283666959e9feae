#include "dialogue/check_project.h"

#include "dialogue/script_discovery.h"
#include "runtime/program_paths.h"

namespace dwelvane {

CheckResult CheckProject(const CheckOptions& options, DialogueTable& table, Progress& progress,
                         const CommandFeedback& feedback) {
  const std::string folder = EnsureTrailingSeparator(options.project_folder);
  const std::string root = ResolveProgramPath(folder);
  ProjectFileIndex files;
  std::vector<BrokenLiteralAt> broken;
  const ScanRules rules{
      .scripts = {.with_inc = options.include_inc},
      .syntax = options.syntax,
      .note_broken_literal = [&](const BrokenLiteralAt& at) { broken.push_back(at); }};
  ScanDialogue(folder, rules, options.walk, table, progress, feedback, [&](const WalkedFile& file) {
    files.Add(std::string_view(file.path).substr(file.path.starts_with(root) ? root.size() : 0));
  });
  feedback.enter_stage(Stage::kCheckingLines);
  StringTable strings;
  CheckResult result;
  result.string_table_read = !strings.Load(options.string_table_path).Failed();
  for (std::size_t i = 0; i < table.DialogueCount && !result.has_references; ++i) {
    result.has_references = !table.Record(i).Reference.empty();
  }
  result.findings =
      CheckDialogue(table, root, files, result.string_table_read ? &strings : nullptr, broken);
  EndFeedback(feedback);
  return result;
}

}  // namespace dwelvane

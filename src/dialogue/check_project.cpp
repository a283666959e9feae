#include "dialogue/check_project.h"

#include "dialogue/script_discovery.h"
#include "runtime/folder_walk.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

ProjectFileIndex IndexProjectFiles(const std::string& folder, const CommandFeedback& feedback) {
  ProjectFileIndex files;
  const std::string root = ResolveProgramPath(folder);
  WalkFolder(folder, {[&](const WalkedFile& file) {
                        files.Add(std::string_view(file.path).substr(
                            file.path.starts_with(root) ? root.size() : 0));
                      },
                      feedback.drain_window_events});
  return files;
}

}  // namespace

CheckResult CheckProject(const CheckOptions& options, DialogueTable& table, Progress& progress,
                         const CommandFeedback& feedback) {
  const std::string folder = EnsureTrailingSeparator(options.project_folder);
  ScanDialogue(folder, ScriptFiles{.with_inc = options.include_inc}, table, progress, feedback);
  feedback.show_status("Checking lines ...");
  const ProjectFileIndex files = IndexProjectFiles(folder, feedback);
  StringTable strings;
  CheckResult result;
  result.string_table_read = strings.Load(options.string_table_path);
  for (std::size_t i = 0; i < table.DialogueCount && !result.has_references; ++i) {
    result.has_references = !table.Record(i).Reference.empty();
  }
  result.findings = CheckDialogue(table, ResolveProgramPath(folder), files,
                                  result.string_table_read ? &strings : nullptr);
  feedback.show_status("");
  feedback.show_progress(0);
  return result;
}

}  // namespace dwelvane

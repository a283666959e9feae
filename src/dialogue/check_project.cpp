#include "dialogue/check_project.h"

#include "dialogue/script_discovery.h"
#include "dialogue/unused_audio.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

// Every file below `folder`, by its path below it.
void IndexFolder(const std::string& folder, WalkRules walk, const CommandFeedback& feedback,
                 ProjectFileIndex& files) {
  const std::string root = ResolveProgramPath(EnsureTrailingSeparator(folder));
  const FolderVisitor visitor{.visit_file =
                                  [&](const WalkedFile& file) {
                                    files.Add(std::string_view(file.path).substr(
                                        file.path.starts_with(root) ? root.size() : 0));
                                  },
                              .after_subfolder = feedback.yield,
                              .unlisted_folder = feedback.note_skipped};
  WalkFolder(root, visitor, walk);
}

// Missing-audio findings say which folder the files were looked for in.
void NameAudioFolder(std::string_view given, Findings& findings) {
  const std::string_view stored = findings.paths.Store(given);
  for (Finding& finding : findings.list) {
    if (finding.kind == FindingKind::kMissingAudio) {
      finding.earlier_path = stored;
    }
  }
}

}  // namespace

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
  const bool own_audio_folder = !options.audio_folder.empty();
  ScanDialogue(folder, rules, options.walk, table, progress, feedback, [&](const WalkedFile& file) {
    if (!own_audio_folder) {
      files.Add(std::string_view(file.path).substr(file.path.starts_with(root) ? root.size() : 0));
    }
  });
  if (own_audio_folder) {
    IndexFolder(options.audio_folder, options.walk, feedback, files);
  }
  feedback.enter_stage(Stage::kCheckingLines);
  StringTable strings;
  CheckResult result;
  result.string_table_read = !strings.Load(options.string_table_path).Failed();
  for (std::size_t i = 0; i < table.DialogueCount && !result.has_references; ++i) {
    result.has_references = !table.Record(i).Reference.empty();
  }
  result.findings =
      CheckDialogue(table, root, files, result.string_table_read ? &strings : nullptr, broken);
  if (own_audio_folder) {
    NameAudioFolder(options.audio_folder_given, result.findings);
  }
  if (options.unused_audio) {
    const std::string prefix =
        own_audio_folder
            ? options.audio_folder_given + (options.audio_folder_given.ends_with('/') ? "" : "/")
            : "";
    FindUnusedAudio(table, files, own_audio_folder, prefix, result.findings);
  }
  EndFeedback(feedback);
  return result;
}

}  // namespace dwelvane

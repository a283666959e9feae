#include "dialogue/count_speakers.h"

#include "dialogue/script_discovery.h"
#include "dialogue/speaker_budget.h"
#include "runtime/line_writer.h"
#include "runtime/program_paths.h"

namespace dwelvane {

CommandOutcome CountSpeakers(const SpeakersOptions& options, DialogueTable& table,
                             Progress& progress, const CommandFeedback& feedback) {
  const std::string folder = EnsureTrailingSeparator(options.project_folder);
  const ScanRules rules{.scripts = {.with_inc = options.include_inc},
                        .syntax = options.syntax,
                        .characters = options.by_character,
                        .aliases = options.aliases};
  const std::string root = ResolveProgramPath(folder);
  ProjectFileIndex files;
  ScanDialogue(folder, rules, options.walk, table, progress, feedback, [&](const WalkedFile& file) {
    files.Add(std::string_view(file.path).substr(file.path.starts_with(root) ? root.size() : 0));
  });
  const std::vector<SpeakerBudget> budgets = CountSpeakerBudgets(
      table, options.encoding != OutputEncoding::kBytes, options.by_character, &files);
  LineWriter writer;
  IoError written = writer.Open(options.output);
  if (!written.Failed()) {
    if (options.encoding == OutputEncoding::kUtf8WithBom &&
        options.format != SpeakerFormat::kHtml) {
      writer.WriteBytes(kUtf8ByteOrderMark);
    }
    WriteSpeakerReport(budgets, options.format, ProjectFolderName(folder), writer);
    written = writer.FileClose();
  }
  EndFeedback(feedback);
  return CommandOutcome::AfterWriting(std::move(written));
}

}  // namespace dwelvane

#include "dialogue/script_discovery.h"

#include "dialogue/script_file_scan.h"
#include "runtime/line_reader.h"
#include "runtime/recorded_walk.h"
#include "runtime/text_operations.h"

namespace dwelvane {

bool ScriptFiles::Holds(std::string_view name) const {
  return EndsWithLowered(name, ".script") || (with_inc && EndsWithLowered(name, ".inc"));
}

namespace {

void ScanListedScripts(const RecordedWalk& scripts, DialogueTable& table, Progress& progress,
                       const CommandFeedback& feedback) {
  LineReader reader;
  reader.TrackEncoding();
  const auto scan_file = [&](const WalkedFile& file) {
    if (const IoError error = ScanScriptFile(file, table, reader); error.Failed()) {
      if (VanishedSinceTheWalk(file)) {
        return;
      }
      feedback.note_skipped(error);
    }
    ++table.ScriptCount;
    ++progress.ProgressCount;
    SetProgress(progress, feedback);
  };
  scripts.Replay({scan_file, feedback.yield, feedback.note_skipped});
}

}  // namespace

void ScanDialogue(const std::string& folder, ScriptFiles scripts, WalkRules rules,
                  DialogueTable& table, Progress& progress, const CommandFeedback& feedback,
                  const FileObserver& see_file) {
  table.Clear();
  progress.ProgressCount = 0;
  // One walk lists the scripts and shows the other files to `see_file`, so that no folder
  // is listed twice.
  RecordedWalk listed;
  const auto keep_script = [&](const WalkedFile& file) {
    if (see_file) {
      see_file(file);
    }
    return scripts.Holds(file.name);
  };
  listed.Record(folder, rules, keep_script, feedback.yield);
  progress.ProgressTotal = static_cast<std::int64_t>(listed.FileCount());
  feedback.enter_stage(Stage::kScanningScripts);
  ScanListedScripts(listed, table, progress, feedback);
}

}  // namespace dwelvane

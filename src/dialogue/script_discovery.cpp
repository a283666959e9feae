#include "dialogue/script_discovery.h"

#include "dialogue/script_file_scan.h"
#include "runtime/line_reader.h"
#include "runtime/text_operations.h"

namespace dwelvane {

bool ScriptFiles::Holds(std::string_view name) const {
  return EndsWithLowered(name, ".script") || (with_inc && EndsWithLowered(name, ".inc"));
}

void CountScriptFiles(const std::string& folder, ScriptFiles scripts, Progress& progress,
                      const CommandFeedback& feedback, const FileObserver& see_file) {
  WalkFolder(folder, {[&](const WalkedFile& file) {
                        if (scripts.Holds(file.name)) {
                          ++progress.ProgressCount;
                        }
                        if (see_file) {
                          see_file(file);
                        }
                      },
                      feedback.drain_window_events});
}

void ScanScriptFolder(const std::string& folder, ScriptFiles scripts, DialogueTable& table,
                      Progress& progress, const CommandFeedback& feedback) {
  LineReader reader;
  reader.TrackEncoding();
  WalkFolder(folder, {[&](const WalkedFile& file) {
                        if (scripts.Holds(file.name)) {
                          ++table.ScriptCount;
                          if (!ScanScriptFile(file, table, reader)) {
                            feedback.note_skipped(file.path);
                          }
                          ++progress.ProgressCount;
                          SetProgress(progress, feedback);
                        }
                      },
                      feedback.drain_window_events, feedback.note_skipped});
}

void ScanDialogue(const std::string& folder, ScriptFiles scripts, DialogueTable& table,
                  Progress& progress, const CommandFeedback& feedback,
                  const FileObserver& see_file) {
  table.Clear();
  progress.ProgressCount = 0;
  CountScriptFiles(folder, scripts, progress, feedback, see_file);
  progress.ProgressTotal = progress.ProgressCount;
  progress.ProgressCount = 0;
  feedback.show_status("Scanning scripts ...");
  ScanScriptFolder(folder, scripts, table, progress, feedback);
}

}  // namespace dwelvane

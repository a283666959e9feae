#include "dialogue/script_discovery.h"

#include "dialogue/script_file_scan.h"
#include "runtime/folder_walk.h"
#include "runtime/line_reader.h"
#include "runtime/text_operations.h"

namespace dwelvane {

bool IsScriptFileName(std::string_view name) {
  return EndsWithLowered(name, ".script");
}

void CountScriptFiles(const std::string& folder, Progress& progress,
                      const CommandFeedback& feedback) {
  WalkFolder(folder, {[&](const WalkedFile& file) {
                        if (IsScriptFileName(file.name)) {
                          ++progress.ProgressCount;
                        }
                      },
                      feedback.drain_window_events});
}

void ScanScriptFolder(const std::string& folder, DialogueTable& table, Progress& progress,
                      const CommandFeedback& feedback) {
  LineReader reader;
  WalkFolder(folder, {[&](const WalkedFile& file) {
                        if (IsScriptFileName(file.name)) {
                          if (!ScanScriptFile(file, table, reader)) {
                            feedback.note_skipped(file.path);
                          }
                          ++progress.ProgressCount;
                          SetProgress(progress, feedback);
                        }
                      },
                      feedback.drain_window_events, feedback.note_skipped});
}

}  // namespace dwelvane

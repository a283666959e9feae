#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "dialogue/dialogue_record.h"
#include "runtime/command_feedback.h"
#include "runtime/folder_walk.h"

namespace dwelvane {

// Which files hold the scripts to scan: names ending in ".script", and with `with_inc`
// in ".inc" too, in any letter case.
struct ScriptFiles {
  bool with_inc = false;
  bool Holds(std::string_view name) const;
};

// Called with every file the count pass meets, scripts or not, for callers that need to
// know the project's files: one walk serves both.
using FileObserver = std::function<void(const WalkedFile& file)>;

// Adds the number of script files below `folder`, at any depth, to ProgressCount.
void CountScriptFiles(const std::string& folder, ScriptFiles scripts, Progress& progress,
                      const CommandFeedback& feedback, const FileObserver& see_file = {});

// Scans every script file below `folder` in walk order into `table`, moving the progress
// bar after each file, and notes the encoding of each one's bytes in its records.
void ScanScriptFolder(const std::string& folder, ScriptFiles scripts, DialogueTable& table,
                      Progress& progress, const CommandFeedback& feedback);

// Both passes with the progress protocol: the count, "Scanning scripts ...", the scan into
// an emptied `table`.
void ScanDialogue(const std::string& folder, ScriptFiles scripts, DialogueTable& table,
                  Progress& progress, const CommandFeedback& feedback,
                  const FileObserver& see_file = {});

}  // namespace dwelvane

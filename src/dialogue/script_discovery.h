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

// Called with every file the walk meets, scripts or not, for callers that need to know
// the project's files: one walk serves both.
using FileObserver = std::function<void(const WalkedFile& file)>;

// The scan with the progress protocol: one walk lists the script files (and counts them
// for the progress bar), the stage of scanning scripts, then each listed script is scanned into an
// emptied `table` in walk order, its records noting the encoding of its bytes.
void ScanDialogue(const std::string& folder, ScriptFiles scripts, WalkRules rules,
                  DialogueTable& table, Progress& progress, const CommandFeedback& feedback,
                  const FileObserver& see_file = {});

}  // namespace dwelvane

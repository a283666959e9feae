#pragma once

#include <string>
#include <string_view>

#include "dialogue/dialogue_record.h"
#include "runtime/command_feedback.h"

namespace dwelvane {

// Names ending in ".script" in any letter case.
bool IsScriptFileName(std::string_view name);

// Adds the number of script files below `folder`, at any depth, to ProgressCount.
void CountScriptFiles(const std::string& folder, Progress& progress,
                      const CommandFeedback& feedback);

// Scans every script file below `folder` in walk order into `table`, moving the progress
// bar after each file.
void ScanScriptFolder(const std::string& folder, DialogueTable& table, Progress& progress,
                      const CommandFeedback& feedback);

}  // namespace dwelvane

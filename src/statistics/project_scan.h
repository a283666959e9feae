#pragma once

#include <string>

#include "runtime/command_feedback.h"
#include "runtime/folder_walk.h"
#include "statistics/project_statistics.h"

namespace dwelvane {

// Classifies every file below `folder` by its extension into `statistics`, measuring
// scripts and item files on the way. One walk lists the files and sets ProgressTotal, then
// "Scanning project ..." shows and the bar moves after each file. Every .wpr file goes to
// `feedback.note_project_file` too.
void ScanProjectFolder(const std::string& folder, WalkRules rules, ProjectStatistics& statistics,
                       Progress& progress, const CommandFeedback& feedback);

}  // namespace dwelvane

#pragma once

#include <string>

#include "runtime/command_feedback.h"
#include "statistics/project_statistics.h"

namespace dwelvane {

// Adds the number of files below `folder`, at any depth, to ProgressCount.
void CountProjectFiles(const std::string& folder, Progress& progress,
                       const CommandFeedback& feedback);

// Classifies every file below `folder` by its extension into `statistics`, measuring
// scripts and item files on the way, and moves the progress bar after each file.
void ScanProjectFolder(const std::string& folder, ProjectStatistics& statistics, Progress& progress,
                       const CommandFeedback& feedback);

}  // namespace dwelvane

#pragma once

#include <string>

#include "runtime/command_feedback.h"
#include "runtime/command_outcome.h"
#include "runtime/folder_walk.h"
#include "runtime/language.h"
#include "runtime/output_target.h"
#include "statistics/project_statistics.h"
#include "statistics/statistics_report.h"

namespace dwelvane {

struct StatisticsOptions {
  std::string project_folder;  // empty: the program folder
  WalkRules walk;
  Language language = Language::kEnglish;
  bool write_file = false;
  OutputTarget report;                               // where the file form goes when `write_file`
  OutputEncoding encoding = OutputEncoding::kBytes;  // of the file form
};

// The "Scan Project" command: counts the project's files, scans them into `statistics`
// and, when asked to, writes the report file. The window shows StatisticsWindowText of
// the result. kCancelled, with nothing written, when `feedback.cancelled` says so.
CommandOutcome RunProjectStatistics(const StatisticsOptions& options, ProjectStatistics& statistics,
                                    Progress& progress, const CommandFeedback& feedback,
                                    const ReportClock& clock);

}  // namespace dwelvane

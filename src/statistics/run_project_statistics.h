#pragma once

#include <cstdint>
#include <string>

#include "runtime/command_feedback.h"
#include "statistics/project_statistics.h"
#include "statistics/statistics_report.h"

namespace dwelvane {

struct StatisticsOptions {
  std::string project_folder;  // empty: the program folder
  std::int32_t language = 0;   // 0 English, else German
  bool write_file = false;
  std::string report_path;  // ignored when writing to standard output
  bool to_standard_output = false;
};

struct StatisticsOutcome {
  std::string window_text;   // the report as the window shows it
  bool file_failed = false;  // a report file was asked for and could not be written
};

// The "Scan Project" command: counts the project's files, scans them into `statistics`,
// and makes the report for the window and, when asked to, the report file.
StatisticsOutcome RunProjectStatistics(const StatisticsOptions& options,
                                       ProjectStatistics& statistics, Progress& progress,
                                       const CommandFeedback& feedback, const ReportClock& clock);

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/date_time.h"
#include "runtime/language.h"
#include "runtime/text_encoding.h"
#include "statistics/project_statistics.h"

namespace dwelvane {

// The clock the report reads; tests and reproducible builds fix it.
using ReportClock = std::function<DateTime()>;

enum class ReportForm {
  kWindow,  // 14 lines
  kFile,    // 17 lines: the window's, an empty line, and two closing lines
};

// The report's lines in `language`, with the date and the time from two readings of `clock`, taken
// in that order. Its texts are Windows-1252 and the project's name is in the system's code page
// (in UTF-8 where that lacks characters of it, see AppendInSystemCodePage); in UTF-8 both are
// converted.
std::vector<std::string> StatisticsReportLines(const ProjectStatistics& statistics,
                                               Language language, ReportForm form,
                                               const ReportClock& clock,
                                               OutputEncoding encoding = OutputEncoding::kBytes);

// The window's form of the report in UTF-8, as the window takes every text, its lines
// joined by LF CR.
std::string StatisticsWindowText(const ProjectStatistics& statistics, Language language,
                                 const ReportClock& clock);

// AudioLineCount of DialogueLineCount in percent, through a 32-bit float, rounded half to
// even; 0 without dialogue lines.
std::int64_t AudioPercentage(const ProjectStatistics& statistics);

}  // namespace dwelvane

#include "statistics/run_project_statistics.h"

#include "runtime/line_writer.h"
#include "statistics/project_scan.h"

namespace dwelvane {
namespace {

// The file form of the report, each line ending in CR LF.
bool WriteStatisticsFile(const StatisticsOptions& options, const ProjectStatistics& statistics,
                         const ReportClock& clock) {
  LineWriter writer;
  if (!writer.Open(options.report)) {
    return false;
  }
  if (options.encoding == OutputEncoding::kUtf8WithBom) {
    writer.WriteBytes(kUtf8ByteOrderMark);
  }
  for (const std::string& line : StatisticsReportLines(
           statistics, options.language, ReportForm::kFile, clock, options.encoding)) {
    writer.FileWriteLine(line);
  }
  return writer.FileClose();
}

}  // namespace

CommandOutcome RunProjectStatistics(const StatisticsOptions& options, ProjectStatistics& statistics,
                                    Progress& progress, const CommandFeedback& feedback,
                                    const ReportClock& clock) {
  ResetStatistics(statistics);
  ScanProjectFolder(options.project_folder, statistics, progress, feedback);
  const bool written = !options.write_file || WriteStatisticsFile(options, statistics, clock);
  feedback.show_status("");
  feedback.show_progress(0);
  return written ? CommandOutcome::kCompleted : CommandOutcome::kOutputFailed;
}

}  // namespace dwelvane

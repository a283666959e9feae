#include "statistics/run_project_statistics.h"

#include "runtime/line_writer.h"
#include "statistics/project_scan.h"

namespace dwelvane {
namespace {

// The file form of the report, each line ending in CR LF.
IoError WriteStatisticsFile(const StatisticsOptions& options, const ProjectStatistics& statistics,
                            const ReportClock& clock) {
  LineWriter writer;
  if (IoError opened = writer.Open(options.report); opened.Failed()) {
    return opened;
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
  IoError written =
      options.write_file ? WriteStatisticsFile(options, statistics, clock) : IoError{};
  EndFeedback(feedback);
  return CommandOutcome::AfterWriting(std::move(written));
}

}  // namespace dwelvane

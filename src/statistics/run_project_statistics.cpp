#include "statistics/run_project_statistics.h"

#include "runtime/line_writer.h"
#include "runtime/text_conversion.h"
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

// The report names the project as the system's code page holds the name, or in UTF-8.
void NoteNameInUtf8(const std::string& project_name, const CommandFeedback& feedback) {
  std::string in_code_page;
  if (!AppendInSystemCodePage(in_code_page, project_name)) {
    feedback.note_name_in_utf8(project_name);
  }
}

}  // namespace

CommandOutcome RunProjectStatistics(const StatisticsOptions& options, ProjectStatistics& statistics,
                                    Progress& progress, const CommandFeedback& feedback,
                                    const ReportClock& clock) {
  ResetStatistics(statistics);
  ScanProjectFolder(options.project_folder, options.walk, statistics, progress, feedback);
  if (feedback.cancelled()) {
    EndFeedback(feedback);
    return CommandOutcome::Cancelled();
  }
  IoError written =
      options.write_file ? WriteStatisticsFile(options, statistics, clock) : IoError{};
  if (options.write_file && options.encoding == OutputEncoding::kBytes) {
    NoteNameInUtf8(statistics.ProjectName, feedback);
  }
  EndFeedback(feedback);
  return CommandOutcome::AfterWriting(std::move(written));
}

}  // namespace dwelvane

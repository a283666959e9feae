#include "cli/stats_command.h"

#include <charconv>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/command_support.h"
#include "runtime/date_time.h"
#include "runtime/platform_file.h"
#include "statistics/run_project_statistics.h"

namespace dwelvane {
namespace {

constexpr OptionSpec kOptions[] = {{.name = "language"}, {.name = "output"}, {.name = "encoding"}};

std::optional<std::int32_t> ParseLanguage(const CommandArguments& arguments, std::int32_t stored,
                                          std::string& error) {
  const auto language = arguments.Option("language");
  if (!language) {
    return stored;
  }
  if (*language == "en" || *language == "de") {
    return *language == "en" ? 0 : 1;
  }
  error = "--language takes en or de, not '" + *language + "'";
  return std::nullopt;
}

// SOURCE_DATE_EPOCH, when set, fixes the report's date and time (in UTC) so that builds
// that include the report are reproducible.
std::optional<ReportClock> ChooseClock(std::string& error) {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr) {
    return ReportClock(DateNow);
  }
  // The report writes four-digit years: 9999-12-31 23:59:59 UTC is the last second.
  constexpr std::int64_t kLastSecond = 253402300799;
  const std::string_view text(epoch);
  std::int64_t seconds = -1;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size() || seconds < 0 ||
      seconds > kLastSecond) {
    error =
        "SOURCE_DATE_EPOCH must be a whole number of seconds from 1970 to the end of 9999, "
        "not '" +
        std::string(text) + "'";
    return std::nullopt;
  }
  const DateTime fixed = DateFromEpochSeconds(seconds);
  return ReportClock([fixed] { return fixed; });
}

std::optional<StatisticsOptions> BuildOptions(const CommandStart& start, std::string& error) {
  const auto language = ParseLanguage(start.arguments, start.settings.Language, error);
  if (!language) {
    return std::nullopt;
  }
  StatisticsOptions options;
  options.project_folder = start.project_folder;
  options.language = *language;
  options.write_file = true;
  const auto report = ChooseOutput(start.arguments, OutputTarget::StandardOutput(), error);
  const auto encoding = ChooseEncoding(start.arguments, error);
  if (!report || !encoding) {
    return std::nullopt;
  }
  options.report = *report;
  options.encoding = *encoding;
  // A terminal that shows UTF-8 is given UTF-8 unless told otherwise; files and pipes get
  // the bytes asked for.
  if (!start.arguments.Option("encoding") && report->to_standard_output &&
      platform::StandardOutputShowsUtf8()) {
    options.encoding = OutputEncoding::kUtf8;
  }
  return options;
}

}  // namespace

int RunStatsCommand(std::span<const std::string> words) {
  const auto start = StartCommand(words, kOptions);
  if (!start) {
    return kExitUsage;
  }
  std::string error;
  const auto options = BuildOptions(*start, error);
  const auto clock = options ? ChooseClock(error) : std::nullopt;
  if (!options || !clock) {
    return ReportUsageError(error);
  }
  if (!CheckProjectFolder(options->project_folder)) {
    return kExitFailure;
  }
  ProjectStatistics statistics;
  Progress progress;
  const int exit_code = RunWithProgress(options->report, [&](const CommandFeedback& feedback) {
    return RunProjectStatistics(*options, statistics, progress, feedback, *clock);
  });
  if (exit_code == kExitSuccess && statistics.ScriptCount == 0) {
    ReportError("warning: no .script or .inc file in '" + options->project_folder + "'");
  }
  if (exit_code == kExitSuccess && !options->report.to_standard_output) {
    SummarizeOnTerminal("Report written to " + options->report.path, *start);
  }
  return exit_code;
}

}  // namespace dwelvane

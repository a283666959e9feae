#include "cli/stats_command.h"

#include <cstdlib>
#include <optional>
#include <string_view>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/command_support.h"
#include "runtime/program_paths.h"
#include "statistics/run_project_statistics.h"

namespace dwelvane {
namespace {

constexpr std::string_view kOptions[] = {"language", "output"};

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
  char* end = nullptr;
  const long long seconds = std::strtoll(epoch, &end, 10);
  if (*epoch == '\0' || *end != '\0' || seconds < 0) {
    error = "SOURCE_DATE_EPOCH must be a whole number of seconds, not '" + std::string(epoch) + "'";
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
  const auto output = start.arguments.Option("output");
  options.report = !output || *output == "-"
                       ? OutputTarget::StandardOutput()
                       : OutputTarget::File(MakeAbsoluteFromWorkingDirectory(*output));
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
  return RunWithProgress(options->report, [&](const CommandFeedback& feedback) {
    return RunProjectStatistics(*options, statistics, progress, feedback, *clock);
  });
}

}  // namespace dwelvane

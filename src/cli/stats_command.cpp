#include "cli/stats_command.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "app/app_state.h"
#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/command_support.h"
#include "cli/terminal_progress.h"
#include "runtime/program_paths.h"
#include "statistics/run_project_statistics.h"

namespace dwelvane {
namespace {

constexpr std::array<std::string_view, 2> kOptions = {"language", "output"};

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

std::optional<StatisticsOptions> BuildOptions(const CommandArguments& arguments,
                                              const Settings& settings, std::string& error) {
  StatisticsOptions options;
  const auto project_folder = ChooseProjectFolder(arguments, settings, error);
  const auto language = ParseLanguage(arguments, settings.Language, error);
  if (!project_folder || !language) {
    return std::nullopt;
  }
  options.project_folder = *project_folder;
  options.language = *language;
  options.write_file = true;
  const auto output = arguments.Option("output");
  options.to_standard_output = !output || *output == "-";
  if (!options.to_standard_output) {
    options.report_path = MakeAbsoluteFromWorkingDirectory(*output);
  }
  return options;
}

}  // namespace

int RunStatsCommand(std::span<const std::string> words) {
  auto start = StartCommand(words, kOptions);
  if (!start) {
    return kExitUsage;
  }
  AppState state;
  state.settings = std::move(start->settings);
  std::string error;
  const auto options = BuildOptions(start->arguments, state.settings, error);
  const auto clock = options ? ChooseClock(error) : std::nullopt;
  if (!options || !clock) {
    return ReportUsageError(error);
  }
  if (!CheckProjectFolder(options->project_folder)) {
    return kExitFailure;
  }
  const CommandFeedback feedback = MakeTerminalProgress();
  const StatisticsOutcome outcome =
      RunProjectStatistics(*options, state.statistics, state.progress, feedback, *clock);
  EndTerminalProgress();
  if (outcome.file_failed) {
    return ReportWriteFailure(options->to_standard_output, options->report_path);
  }
  return kExitSuccess;
}

}  // namespace dwelvane

#include "cli/stats_command.h"

#include <cstdlib>
#include <optional>
#include <string_view>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/command_support.h"
#include "cli/option_values.h"
#include "runtime/date_time.h"
#include "runtime/platform_file.h"
#include "statistics/run_project_statistics.h"

namespace dwelvane {
namespace {

// Report languages, by Language (kGerman its last value).
constexpr std::string_view kLanguageNames[] = {"en", "de"};
static_assert(std::size(kLanguageNames) == static_cast<std::size_t>(Language::kGerman) + 1);

constexpr OptionEntry kOptions[] = {
    {.name = "language",
     .help = "language of the report (default: the stored one, else en)",
     .choices = kLanguageNames},
    {.name = "output",
     .value = "FILE",
     .help = "the file to write, - for standard output (default: standard output)"},
    {.name = "encoding",
     .help = "bytes (Windows-1252), utf-8 or utf-8-bom (default: bytes; utf-8 on a terminal "
             "that shows UTF-8)",
     .choices = kEncodingNames},
    kFollowOutsideLinksOption,
};

// SOURCE_DATE_EPOCH, when set, fixes the report's date and time (in UTC) so that builds
// that include the report are reproducible.
std::optional<ReportClock> ChooseClock(std::string& error) {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr) {
    return ReportClock(DateNow);
  }
  const std::optional<std::int64_t> seconds = ParseEpochSeconds(epoch);
  if (!seconds) {
    error =
        "SOURCE_DATE_EPOCH must be a whole number of seconds from 1970 to the end of 9999, "
        "not '" +
        std::string(epoch) + "'";
    return std::nullopt;
  }
  const DateTime fixed = DateFromEpochSeconds(*seconds);
  return ReportClock([fixed] { return fixed; });
}

std::optional<StatisticsOptions> BuildOptions(const CommandStart& start, std::string& error) {
  const auto report = ChooseOutput(start.arguments, OutputTarget::StandardOutput(), error);
  if (!report) {
    return std::nullopt;
  }
  StatisticsOptions options;
  options.project_folder = start.project_folder;
  options.walk = ChooseWalkRules(start.arguments);
  const auto language = start.arguments.Choice("language", kLanguageNames);
  options.language = language ? static_cast<Language>(*language) : start.settings.Language;
  options.write_file = true;
  options.report = *report;
  options.encoding = ChooseEncoding(start.arguments);
  // A terminal that shows UTF-8 is given UTF-8 unless told otherwise; files and pipes get
  // the bytes asked for.
  if (!start.arguments.Option("encoding") && report->to_standard_output &&
      platform::StandardOutputShowsUtf8()) {
    options.encoding = OutputEncoding::kUtf8;
  }
  return options;
}

int RunStats(const CommandStart& start) {
  std::string error;
  auto options = BuildOptions(start, error);
  const auto clock = options ? ChooseClock(error) : std::nullopt;
  if (!clock) {
    options.reset();
  }
  ProjectStatistics statistics;
  Progress progress;
  const int exit_code = RunOnProject<StatisticsOptions>(
      options, error, &StatisticsOptions::report, [&](const CommandFeedback& feedback) {
        return RunProjectStatistics(*options, statistics, progress, feedback, *clock);
      });
  if (exit_code == kExitSuccess && statistics.ScriptCount == 0) {
    ReportError("warning: no .script or .inc file in '" + options->project_folder + "'");
  }
  if (exit_code == kExitSuccess && !options->report.to_standard_output) {
    SummarizeOnTerminal("Report written to " + options->report.path, start);
  }
  return exit_code;
}

}  // namespace

const CommandEntry kStatsCommand = {
    .name = "stats",
    .summary =
        "count the project's scenes, items, sprites, images, actors, sounds, scripts and "
        "dialogue lines, and write the report",
    .description =
        "Counts the project's scenes, items, sprites, images, actors, sounds, scripts "
        "and dialogue lines, and writes the report.\n\n"
        "SOURCE_DATE_EPOCH, when set, fixes the report's date and time (UTC).",
    .options = kOptions,
    .run = RunStats,
};

}  // namespace dwelvane

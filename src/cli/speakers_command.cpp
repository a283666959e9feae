#include "cli/speakers_command.h"

#include <optional>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "dialogue/count_speakers.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

constexpr OptionSpec kOptions[] = {
    {.name = "format"},
    {.name = "output"},
    {.name = "encoding"},
    {.name = "include-inc", .takes_value = false},
};

// --format, else what the output file's name says, else the aligned table.
std::optional<SpeakerFormat> ChooseFormat(const CommandArguments& arguments,
                                          const OutputTarget& output, std::string& error) {
  constexpr std::pair<std::string_view, SpeakerFormat> kFormats[] = {
      {"text", SpeakerFormat::kText}, {"csv", SpeakerFormat::kCsv}, {"html", SpeakerFormat::kHtml}};
  const auto named = arguments.Option("format");
  for (const auto& [name, format] : kFormats) {
    if (named
            ? EqualIgnoringAsciiCase(*named, name)
            : !output.to_standard_output && EndsWithLowered(output.path, "." + std::string(name))) {
      return format;
    }
  }
  if (!named && !output.to_standard_output && EndsWithLowered(output.path, ".htm")) {
    return SpeakerFormat::kHtml;
  }
  if (named) {
    error = "--format takes text, csv or html, not '" + *named + "'";
    return std::nullopt;
  }
  return SpeakerFormat::kText;
}

std::optional<SpeakersOptions> BuildOptions(const CommandStart& start, std::string& error) {
  SpeakersOptions options;
  options.project_folder = start.project_folder;
  options.include_inc = start.arguments.Flag("include-inc");
  const auto output = ChooseOutput(start.arguments, OutputTarget::StandardOutput(), error);
  const auto encoding = output ? ChooseEncoding(start.arguments, error) : std::nullopt;
  const auto format = encoding ? ChooseFormat(start.arguments, *output, error) : std::nullopt;
  if (!format) {
    return std::nullopt;
  }
  options.output = *output;
  options.encoding = *encoding;
  options.format = *format;
  return options;
}

}  // namespace

int RunSpeakersCommand(std::span<const std::string> words) {
  const auto start = StartCommand(words, kOptions);
  if (!start) {
    return kExitUsage;
  }
  std::string error;
  const auto options = BuildOptions(*start, error);
  if (!options) {
    return ReportUsageError(error);
  }
  if (!CheckProjectFolder(options->project_folder)) {
    return kExitFailure;
  }
  DialogueTable table;
  Progress progress;
  return RunWithProgress(options->output, [&](const CommandFeedback& feedback) {
    return CountSpeakers(*options, table, progress, feedback);
  });
}

}  // namespace dwelvane

#include "cli/speakers_command.h"

#include <optional>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "dialogue/count_speakers.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

constexpr std::string_view kFormatNames[] = {"text", "csv", "html"};
constexpr SpeakerFormat kFormats[] = {SpeakerFormat::kText, SpeakerFormat::kCsv,
                                      SpeakerFormat::kHtml};
static_assert(std::size(kFormats) == std::size(kFormatNames));

constexpr std::string_view kGroupingNames[] = {"character", "speaker"};

constexpr OptionEntry kOptions[] = {
    {.name = "format",
     .help = "text (an aligned table), csv, or html (one page with a bar per speaker) "
             "(default: by the output file's ending, else text)",
     .choices = kFormatNames},
    {.name = "output",
     .value = "FILE",
     .help = "the file to write, - for standard output (default: standard output)"},
    {.name = "include-inc", .help = "scan .inc files too"},
    {.name = "syntax",
     .help = "engine (as the engine reads scripts: every call and choice) or line (the "
             "dialogue table's default rows) (default: engine)",
     .choices = kSyntaxNames},
    {.name = "by",
     .help = "character (as the project tells who speaks, with the characters file) or "
             "speaker (the receiver as the script writes it) (default: character)",
     .choices = kGroupingNames},
    kCharactersOption,
    kFollowOutsideLinksOption,
    {.name = "encoding",
     .help = "bytes, utf-8 or utf-8-bom: the speakers' names as the scripts hold them, or in "
             "UTF-8, one speaker whatever its scripts' encodings",
     .choices = kEncodingNames},
};

// --format, else what the output file's name says (.htm for html too), else the aligned
// table.
SpeakerFormat ChooseFormat(const CommandArguments& arguments, const OutputTarget& output) {
  if (const auto named = arguments.Choice("format", kFormatNames)) {
    return kFormats[*named];
  }
  for (std::size_t i = 0; i < std::size(kFormatNames) && !output.to_standard_output; ++i) {
    if (EndsWithLowered(output.path, "." + std::string(kFormatNames[i]))) {
      return kFormats[i];
    }
  }
  if (!output.to_standard_output && EndsWithLowered(output.path, ".htm")) {
    return SpeakerFormat::kHtml;
  }
  return SpeakerFormat::kText;
}

std::optional<SpeakersOptions> BuildOptions(const CommandStart& start, std::string& error) {
  const auto output = ChooseOutput(start.arguments, OutputTarget::StandardOutput(), error);
  if (!output) {
    return std::nullopt;
  }
  SpeakersOptions options;
  options.project_folder = start.project_folder;
  options.include_inc = start.arguments.Flag("include-inc");
  options.walk = ChooseWalkRules(start.arguments);
  options.output = *output;
  options.encoding = ChooseEncoding(start.arguments);
  options.format = ChooseFormat(start.arguments, *output);
  options.syntax = ChooseSyntax(start.arguments, ScriptSyntax::kEngine);
  options.by_character = start.arguments.Choice("by", kGroupingNames).value_or(0) == 0;
  return options;
}

int RunSpeakers(const CommandStart& start) {
  std::string error;
  auto options = BuildOptions(start, error);
  DialogueTable table;
  Progress progress;
  return RunOnProject<SpeakersOptions>(
      options, error, &SpeakersOptions::output,
      [&](const CommandFeedback& feedback) {
        return CountSpeakers(*options, table, progress, feedback);
      },
      [&] { return !options->by_character || LoadCharacterAliases(start, options->aliases); });
}

}  // namespace

const CommandEntry kSpeakersCommand = {
    .name = "speakers",
    .summary = "count the lines and words each character says: the voice budget",
    .description =
        "Counts the lines each character says, as the dialogue table finds them, with "
        "their words (after the /ID/ prefix), the lines with and without an audio "
        "file, and the lines whose audio file is in the project (recorded); most words "
        "first, then a total.",
    .options = kOptions,
    .run = RunSpeakers,
};

}  // namespace dwelvane

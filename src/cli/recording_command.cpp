#include "cli/recording_command.h"

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/translation_options.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"
#include "voice/write_recording_script.h"

namespace dwelvane {
namespace {

constexpr std::string_view kFormatNames[] = {"html", "csv"};

constexpr OptionEntry kOptions[] = {
    {.name = "character",
     .value = "NAME",
     .help = "only the lines of this character (letter case ignored); may be given more than "
             "once (default: every character)",
     .repeats = true},
    {.name = "format",
     .help = "html (one printable page, a section per character) or csv (UTF-8, one row per "
             "line) (default: by the output file's ending, else html)",
     .choices = kFormatNames},
    {.name = "output",
     .value = "FILE",
     .help = "the file to write, - for standard output (default: standard output)"},
    {.name = "language",
     .value = "NAME",
     .help = "the texts of this language's string table, found as export finds it (default: "
             "the base table's)"},
    kLanguageTableOption,
    kCodePageOption,
    {.name = "audio-pattern",
     .value = "PATTERN",
     .help = "the audio file of a line that names none, {id} standing for its ID, e.g. "
             "speech/{id}.ogg"},
    {.name = "include-inc", .help = "scan .inc files too"},
    kCharactersOption,
    kFollowOutsideLinksOption,
};

RecordingFormat ChooseFormat(const CommandArguments& arguments, const OutputTarget& output) {
  if (const auto named = arguments.Choice("format", kFormatNames)) {
    return *named == 1 ? RecordingFormat::kCsv : RecordingFormat::kHtml;
  }
  return !output.to_standard_output && EndsWithLowered(output.path, ".csv")
             ? RecordingFormat::kCsv
             : RecordingFormat::kHtml;
}

std::optional<RecordingOptions> BuildOptions(const CommandStart& start, std::string& error) {
  const CommandArguments& arguments = start.arguments;
  const auto output = ChooseOutput(arguments, OutputTarget::StandardOutput(), error);
  if (!output) {
    return std::nullopt;
  }
  RecordingOptions options;
  options.project_folder = start.project_folder;
  options.characters = arguments.Values("character");
  options.output = *output;
  options.format = ChooseFormat(arguments, *output);
  options.language = arguments.Option("language").value_or("");
  if (const auto table = arguments.Option("table")) {
    if (options.language.empty()) {
      error = "--table needs --language";
      return std::nullopt;
    }
    options.table_path = MakeAbsoluteFromWorkingDirectory(*table);
  }
  options.code_page = ChooseCodePage(arguments);
  options.audio_pattern = arguments.Option("audio-pattern").value_or("");
  if (arguments.Flag("audio-pattern") && options.audio_pattern.find("{id}") == std::string::npos) {
    error = "--audio-pattern needs {id} where the line's ID goes";
    return std::nullopt;
  }
  options.include_inc = arguments.Flag("include-inc");
  options.walk = ChooseWalkRules(arguments);
  return options;
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) {
    joined.append(joined.empty() ? "'" : ", '").append(name).append("'");
  }
  return joined;
}

// False after saying why nothing was written.
bool ReportFault(const RecordingReport& report, const RecordingOptions& options) {
  if (report.unreadable.Failed()) {
    ReportError(DescribeFailure(report.unreadable));
    return false;
  }
  if (!report.missing_language_table.empty()) {
    ReportError("no string table for '" + options.language + "' at '" +
                report.missing_language_table + "'");
    return false;
  }
  if (!report.unknown_characters.empty()) {
    ReportError("no line is said by " + JoinNames(report.unknown_characters) +
                "; the characters are " + JoinNames(report.known_characters));
    return false;
  }
  return true;
}

int RunRecording(const CommandStart& start) {
  std::string error;
  auto options = BuildOptions(start, error);
  DialogueTable records;
  Progress progress;
  RecordingReport report;
  const int exit_code = RunOnProject<RecordingOptions>(
      options, error, &RecordingOptions::output,
      [&](const CommandFeedback& feedback) {
        return WriteRecordingScript(*options, records, progress, feedback, report);
      },
      [&] { return LoadCharacterAliases(start, options->aliases); });
  if (exit_code != kExitSuccess || !ReportFault(report, *options)) {
    return exit_code != kExitSuccess ? exit_code : kExitFailure;
  }
  SummarizeOnTerminal(std::to_string(report.lines) + " lines of " +
                          std::to_string(report.characters) + " characters written to " +
                          Describe(options->output) + ", " + std::to_string(report.recorded) +
                          " recorded",
                      start);
  return kExitSuccess;
}

}  // namespace

const CommandEntry kRecordingCommand = {
    .name = "recording",
    .summary = "write the recording script: each character's lines for the voice booth",
    .description =
        "Writes the lines each character says (talk lines and choices, as the engine reads "
        "them), character by character, grouped by scene or folder in the order of the "
        "scripts' names and their lines: a number, the ID, the audio file, the text, the line "
        "said just before it (the cue), a direction from a \"// (whispering)\" comment after "
        "the line, the words, and whether the audio file is in the project (recorded) or not "
        "(missing). HTML: one printable page, a table of contents with each character's "
        "lines, words, minutes (at 150 words a minute) and recorded share, then a section "
        "per character. CSV: UTF-8 with a byte order mark and the header row "
        "character,number,id,audio,text,cue_character,cue,direction,words,status,file,line.",
    .options = kOptions,
    .run = RunRecording,
};

}  // namespace dwelvane

#include "cli/export_command.h"

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/translation_options.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"
#include "translation/export_translations.h"

namespace dwelvane {
namespace {

constexpr std::string_view kFormatNames[] = {"po", "csv"};

constexpr OptionEntry kOptions[] = {
    kLanguageOption,
    {.name = "format",
     .help = "po (GNU gettext, for translation tools) or csv (UTF-8, for spreadsheets) "
             "(default: by the output file's ending, else po)",
     .choices = kFormatNames},
    {.name = "output",
     .value = "FILE",
     .help = "the file to write, - for standard output (default: standard output, or the "
             "file of --update)"},
    {.name = "update",
     .value = "FILE",
     .help = "a translator's PO file to merge into: its translations kept, new IDs added, "
             "changed sources marked fuzzy, IDs no longer said kept as obsolete"},
    kLanguageTableOption,
    kCodePageOption,
    {.name = "include-inc", .help = "scan .inc files too"},
    kCharactersOption,
    kFollowOutsideLinksOption,
};

TranslationFormat ChooseFormat(const CommandArguments& arguments, const OutputTarget& output) {
  if (const auto named = arguments.Choice("format", kFormatNames)) {
    return *named == 1 ? TranslationFormat::kCsv : TranslationFormat::kPo;
  }
  return !output.to_standard_output && EndsWithLowered(output.path, ".csv")
             ? TranslationFormat::kCsv
             : TranslationFormat::kPo;
}

std::optional<ExportOptions> BuildOptions(const CommandStart& start, std::string& error) {
  const CommandArguments& arguments = start.arguments;
  ExportOptions options;
  options.project_folder = start.project_folder;
  options.language = arguments.Option("language").value_or("");
  if (options.language.empty()) {
    error = "export needs --language NAME";
    return std::nullopt;
  }
  if (const auto update = arguments.Option("update")) {
    options.update_path = MakeAbsoluteFromWorkingDirectory(*update);
  }
  const OutputTarget fallback = options.update_path.empty()
                                    ? OutputTarget::StandardOutput()
                                    : OutputTarget::File(options.update_path);
  const auto output = ChooseOutput(arguments, fallback, error);
  if (!output) {
    return std::nullopt;
  }
  options.output = *output;
  options.format = ChooseFormat(arguments, options.output);
  if (!options.update_path.empty() && options.format != TranslationFormat::kPo) {
    error = "--update merges PO files only";
    return std::nullopt;
  }
  if (const auto table = arguments.Option("table")) {
    options.table_path = MakeAbsoluteFromWorkingDirectory(*table);
  }
  options.code_page = ChooseCodePage(arguments);
  options.include_inc = arguments.Flag("include-inc");
  options.walk = ChooseWalkRules(arguments);
  return options;
}

// False after saying why, when a table or the file to update kept the export from its end.
bool ReportUnread(const ExportReport& report, const ExportOptions& options) {
  if (report.update_is_no_po) {
    ReportError(options.update_path + ":" + std::to_string(report.update_error.line) + ": " +
                report.update_error.message);
    return false;
  }
  if (report.unreadable.Failed()) {
    ReportError(DescribeFailure(report.unreadable));
    return false;
  }
  return true;
}

int RunExport(const CommandStart& start) {
  std::string error;
  auto options = BuildOptions(start, error);
  DialogueTable records;
  Progress progress;
  ExportReport report;
  const int exit_code = RunOnProject<ExportOptions>(
      options, error, &ExportOptions::output,
      [&](const CommandFeedback& feedback) {
        return ExportTranslations(*options, records, progress, feedback, report);
      },
      [&] { return LoadCharacterAliases(start, options->aliases); });
  if (exit_code != kExitSuccess || !ReportUnread(report, *options)) {
    return exit_code != kExitSuccess ? exit_code : kExitFailure;
  }
  SummarizeOnTerminal(std::to_string(report.entries) + " IDs exported to " +
                          Describe(options->output) + ", " + std::to_string(report.translated) +
                          " with a translation in '" + report.language_table + "'",
                      start);
  return kExitSuccess;
}

}  // namespace

const CommandEntry kExportCommand = {
    .name = "export",
    .summary = "write the lines' IDs and texts for translators: a PO or CSV file",
    .description =
        "Writes one entry per string table ID the scripts say (talk lines and choices, as "
        "the engine reads them), in the order of the scripts' names and their lines: the "
        "base table's text as the source, the language table's as the translation, and the "
        "character, each line's place, the audio file and the line said before it for the "
        "translator. PO: msgctxt is the ID, a line break in a text (\"|\" in the table) is "
        "\"\\n\". CSV: UTF-8 with a byte order mark and the header row "
        "id,character,source,translation,context,file,line,audio.",
    .options = kOptions,
    .run = RunExport,
};

}  // namespace dwelvane

#include "cli/import_command.h"

#include "cli/check_command.h"
#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/translation_options.h"
#include "runtime/program_paths.h"
#include "translation/import_translations.h"

namespace dwelvane {
namespace {

constexpr std::string_view kTableEncodingNames[] = {"utf-8-bom", "windows-1250", "windows-1251",
                                                    "windows-1252"};
constexpr TableEncoding kTableEncodings[] = {
    TableEncoding::kUtf8WithBom, TableEncoding::kWindows1250, TableEncoding::kWindows1251,
    TableEncoding::kWindows1252};
static_assert(std::size(kTableEncodings) == std::size(kTableEncodingNames));

constexpr OptionEntry kOptions[] = {
    kLanguageOption,
    {.name = "encoding",
     .help = "the encoding of the table written (default: the language table's, else the "
             "base table's)",
     .choices = kTableEncodingNames},
    {.name = "skip-bad",
     .help = "leave out the translations that can't go into the table, name them, and "
             "write the rest (exit status 3)"},
    kLanguageTableOption,
    kCodePageOption,
};

std::string_view DescribeReason(BadTranslationReason reason, TableEncoding encoding) {
  switch (reason) {
    case BadTranslationReason::kNotInCodePage:
      return encoding == TableEncoding::kWindows1250   ? "Windows-1250 can't hold this text"
             : encoding == TableEncoding::kWindows1251 ? "Windows-1251 can't hold this text"
                                                       : "Windows-1252 can't hold this text";
    case BadTranslationReason::kHoldsBarOrTab:
      return "the text holds a '|' or a tab, which the table can't tell from its own";
    case BadTranslationReason::kUnknownId:
      return "the base table has no such ID";
  }
  return {};
}

void ReportBad(const ImportReport& report, const std::string& file) {
  for (const BadTranslation& bad : report.bad) {
    ReportError(file + ":" + std::to_string(bad.line) + ": " + bad.id + ": " +
                std::string(DescribeReason(bad.reason, report.encoding)));
  }
}

int RunImport(const CommandStart& start) {
  const CommandArguments& arguments = start.arguments;
  ImportOptions options;
  options.project_folder = start.project_folder;
  options.input_path = MakeAbsoluteFromWorkingDirectory(*arguments.file);
  options.language = arguments.Option("language").value_or("");
  if (options.language.empty()) {
    return ReportUsageError("import needs --language NAME");
  }
  if (const auto named = arguments.Choice("encoding", kTableEncodingNames)) {
    options.encoding = kTableEncodings[*named];
  }
  if (const auto table = arguments.Option("table")) {
    options.table_path = MakeAbsoluteFromWorkingDirectory(*table);
  }
  options.code_page = ChooseCodePage(arguments);
  options.skip_bad = arguments.Flag("skip-bad");
  if (!CheckProjectFolder(options.project_folder)) {
    return kExitFailure;
  }
  const ImportReport report = ImportTranslations(options);
  if (!report.input_error.empty()) {
    ReportError(options.input_path + ":" + std::to_string(report.input_error_line) + ": " +
                report.input_error);
    return kExitFailure;
  }
  ReportBad(report, options.input_path);
  if (report.failure.Failed()) {
    ReportError(DescribeFailure(report.failure));
    return kExitFailure;
  }
  if (!report.written) {
    const std::size_t bad = report.bad.size();
    ReportError("nothing written: " + std::to_string(bad) +
                (bad == 1 ? " translation can't" : " translations can't") +
                " go into the table (--skip-bad leaves them out)");
    return kExitFailure;
  }
  SummarizeOnTerminal(std::to_string(report.imported) + " translations imported into '" +
                          report.language_table + "', " + std::to_string(report.kept) +
                          " kept from it, " + std::to_string(report.untranslated) + " untranslated",
                      start);
  return report.bad.empty() ? kExitSuccess : kExitFindings;
}

}  // namespace

const CommandEntry kImportCommand = {
    .name = "import",
    .summary = "write a language's string table from translators' PO or CSV file",
    .description =
        "Reads FILE, a PO or CSV file as export writes it (told apart by its content), and "
        "writes the language's string table: the base table's lines in their order, "
        "comments kept, each entry with its translation from FILE (fuzzy ones left out), "
        "else the language table's own, else the base text, since the game takes the "
        "language's table instead of the base one; the language table's entries for IDs the "
        "base lacks after them. CR LF line ends, line breaks as \"|\". A translation the "
        "table's code page can't hold, one holding a \"|\" or a tab, or an ID the base "
        "table lacks is named and nothing is written (exit status 1), unless --skip-bad. "
        "The table is replaced whole, never cut short.",
    .options = kOptions,
    .file_argument = "FILE",
    .run = RunImport,
};

}  // namespace dwelvane

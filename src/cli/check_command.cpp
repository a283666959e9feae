#include "cli/check_command.h"

#include <array>
#include <cstdio>
#include <optional>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/translation_options.h"
#include "dialogue/check_project.h"
#include "dialogue/string_table.h"
#include "runtime/line_reader.h"
#include "runtime/platform_file.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"
#include "translation/language_check.h"
#include "translation/project_tables.h"

namespace dwelvane {
namespace {

constexpr OptionEntry kOptions[] = {
    {.name = "string-table",
     .value = "FILE",
     .help = "the table the IDs are checked against (default: as for dialogue)"},
    {.name = "include-inc", .help = "scan .inc files too"},
    {.name = "syntax",
     .help = "engine (as the engine reads scripts: every call and choice, and the literals "
             "it refuses) or line (the dialogue table's default rows) (default: engine)",
     .choices = kSyntaxNames},
    kFollowOutsideLinksOption,
    {.name = "language",
     .value = "NAME",
     .help = "check a language too: IDs its table lacks (untranslated), its entries no line "
             "says (orphan), translations without the source's %s, %d, | or ~n "
             "(format-mismatch); its table is found as export finds it"},
    {.name = "po",
     .value = "FILE",
     .help = "with --language: the translators' PO file, whose sources tell the translations "
             "whose base text changed since (stale-translation), and whose empty and fuzzy "
             "messages are untranslated too"},
    kCodePageOption,
};

// The language's tables and PO file as --language and --po name them; false after saying
// why when one can't be read.
bool LoadLanguage(const CommandStart& start, const std::string& base_path, LoadedTable& base,
                  LoadedTable& language, std::optional<PoCatalog>& translated) {
  const std::string name = *start.arguments.Option("language");
  const TableEncoding code_page = ChooseCodePage(start.arguments);
  const ProjectTable base_place = FindBaseTable(start.project_folder);
  const std::string language_path = FindLanguageTable(start.project_folder, name, base_place).path;
  for (auto [path, table] : {std::pair{base_path, &base}, std::pair{language_path, &language}}) {
    if (const IoError error = LoadTable(path, code_page, *table); error.Failed()) {
      ReportError(DescribeFailure(error));
      return false;
    }
    if (!table->exists) {
      ReportError("no string table at '" + path + "'");
      return false;
    }
  }
  const auto po_path = start.arguments.Option("po");
  if (!po_path) {
    return true;
  }
  std::string bytes;
  if (const IoError error = ReadWholeFile(MakeAbsoluteFromWorkingDirectory(*po_path), bytes);
      error.Failed()) {
    ReportError(DescribeFailure(error));
    return false;
  }
  PoReadError po_error;
  if (!ReadPo(bytes, translated.emplace(), po_error)) {
    ReportError(*po_path + ":" + std::to_string(po_error.line) + ": " + po_error.message);
    return false;
  }
  return true;
}

// "N findings (K missing-audio, ...) in M scripts" on standard error.
void Summarize(const std::vector<Finding>& findings, std::size_t scripts) {
  std::array<std::size_t, kFindingKindCount> counts{};
  for (const Finding& finding : findings) {
    ++counts[static_cast<std::size_t>(finding.kind)];
  }
  std::string summary =
      std::to_string(findings.size()) + (findings.size() == 1 ? " finding" : " findings");
  std::string kinds;
  for (std::size_t kind = 0; kind < counts.size(); ++kind) {
    if (counts[kind] > 0) {
      kinds.append(kinds.empty() ? "" : ", ")
          .append(std::to_string(counts[kind]) + " " +
                  std::string(FindingKindName(static_cast<FindingKind>(kind))));
    }
  }
  summary.append(kinds.empty() ? "" : " (" + kinds + ")")
      .append(" in " + std::to_string(scripts) + (scripts == 1 ? " script" : " scripts"));
  std::fprintf(stderr, "%s\n", summary.c_str());
}

// False when standard output could not take them all (a full disk, a closed pipe).
bool PrintFindings(const std::vector<Finding>& findings) {
  std::string line;
  const bool to_terminal = platform::StandardOutputIsTerminal();
  for (const Finding& finding : findings) {
    line.clear();
    AppendFindingLine(line, finding);
    if (to_terminal) {
      line = EscapeControlCharacters(line, "\n");
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}

int RunCheck(const CommandStart& start) {
  const auto table_option = start.arguments.Option("string-table");
  if (table_option && table_option->empty()) {
    return ReportUsageError("--string-table needs a file name");
  }
  CheckOptions options;
  options.project_folder = start.project_folder;
  options.include_inc = start.arguments.Flag("include-inc");
  options.walk = ChooseWalkRules(start.arguments);
  options.syntax = ChooseSyntax(start.arguments, ScriptSyntax::kEngine);
  options.string_table_path =
      table_option ? MakeAbsoluteFromWorkingDirectory(*table_option)
                   : ChooseStringTable(start.settings.StringTab, options.project_folder).path;
  if (!CheckProjectFolder(options.project_folder)) {
    return kExitFailure;
  }
  const bool with_language = start.arguments.Option("language").has_value();
  if (start.arguments.Flag("po") && !with_language) {
    return ReportUsageError("--po needs --language");
  }
  LoadedTable base;
  LoadedTable language;
  std::optional<PoCatalog> translated;
  if (with_language && !LoadLanguage(start,
                                     table_option ? options.string_table_path
                                                  : FindBaseTable(options.project_folder).path,
                                     base, language, translated)) {
    return kExitFailure;
  }
  DialogueTable table;
  Progress progress;
  CheckResult result;
  const int exit_code = RunWithProgress(options.project_folder, OutputTarget::StandardOutput(),
                                        [&](const CommandFeedback& feedback) {
                                          result = CheckProject(options, table, progress, feedback);
                                          return CommandOutcome{};
                                        });
  if (exit_code != kExitSuccess) {
    return exit_code;
  }
  if (with_language) {
    CheckLanguage(
        {table, options.project_folder, base, language, translated ? &*translated : nullptr},
        result.findings);
  }
  if (!PrintFindings(result.findings.list)) {
    ReportError("could not write the findings to standard output");
    return kExitFailure;
  }
  if (result.has_references && !result.string_table_read) {
    ReportError("warning: no string table at '" + options.string_table_path +
                "': no reference is checked");
  }
  Summarize(result.findings.list, table.ScriptCount);
  return result.findings.list.empty() ? kExitSuccess : kExitFindings;
}

}  // namespace

const CommandEntry kCheckCommand = {
    .name = "check",
    .summary =
        "find lines with missing audio files, unknown string table IDs, no text to voice, "
        "or audio files and IDs used for two different sentences",
    .description =
        "Prints one finding per line, as compilers do: PATH:LINE: warning: MESSAGE "
        "[KIND], with the kinds missing-audio, unknown-reference, no-sentence, "
        "audio-reused, reference-reused, broken-literal (a text literal the line ends in, "
        "which the engine refuses) and choice-not-voiced (a player's choice no talk call "
        "in its script says); with --language also untranslated, orphan, format-mismatch and, "
        "with --po, stale-translation. Exit status 0 without findings, 3 with some.",
    .options = kOptions,
    .run = RunCheck,
};

}  // namespace dwelvane

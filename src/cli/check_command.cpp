#include "cli/check_command.h"

#include <array>
#include <cstdio>
#include <optional>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/finding_kind_options.h"
#include "cli/translation_options.h"
#include "dialogue/baseline.h"
#include "dialogue/check_project.h"
#include "dialogue/finding_formats.h"
#include "dialogue/finding_lines.h"
#include "dialogue/string_table.h"
#include "runtime/line_reader.h"
#include "runtime/line_writer.h"
#include "runtime/platform_file.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"
#include "translation/language_check.h"
#include "translation/project_tables.h"

namespace dwelvane {
namespace {

constexpr std::string_view kFormatNames[] = {"text", "json", "sarif", "github"};

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
    {.name = "audio-folder",
     .value = "DIR",
     .help = "look for the lines' audio files in DIR (a language's voice package) instead of "
             "the project"},
    {.name = "unused-audio",
     .help = "report sound files (.ogg, .wav) in the voice folders that no line names "
             "(unused-audio): the folders that hold a file some line names, or all of "
             "--audio-folder"},
    {.name = "stored", .help = "check the project the window stored (without PROJECT)"},
    {.name = "enable",
     .value = "LIST",
     .help = "report only these kinds, comma-separated",
     .choices = kFindingKindNames},
    {.name = "disable",
     .value = "LIST",
     .help = "report no finding of these kinds, comma-separated",
     .choices = kFindingKindNames},
    {.name = "error",
     .value = "LIST",
     .help = "kinds that are errors: exit status 1 when one is found",
     .choices = kFindingKindNames},
    {.name = "baseline",
     .value = "FILE",
     .help = "an earlier run's findings (JSON); only findings it lacks are reported, "
             "matched by kind, script and the line's text"},
    {.name = "write-baseline",
     .value = "FILE",
     .help = "write the findings (those no comment silences, of the kinds shown) as JSON, for "
             "a later --baseline"},
    {.name = "format",
     .help = "text (PATH:LINE: warning: MESSAGE [KIND]), json (one object), sarif (SARIF "
             "2.1.0, for code-scanning services) or github (workflow commands that become "
             "annotations) (default: text)",
     .choices = kFormatNames},
};

// The kinds --enable and --disable leave, and the kinds --error makes errors.
struct KindSwitches {
  FindingKinds shown;
  FindingKinds errors;
};

// Nothing, with the reason in `error`, when a LIST names no kind.
std::optional<KindSwitches> ChooseKindSwitches(const CommandArguments& arguments,
                                               std::string& error) {
  KindSwitches switches;
  switches.shown.set();
  for (const std::string_view name : {"enable", "disable", "error"}) {
    const auto list = arguments.Option(name);
    if (!list) {
      continue;
    }
    const auto kinds = ParseFindingKinds(*list, name, error);
    if (!kinds) {
      return std::nullopt;
    }
    if (name == "enable") {
      switches.shown &= *kinds;
    } else if (name == "disable") {
      switches.shown &= ~*kinds;
    } else {
      switches.errors = *kinds;
    }
  }
  return switches;
}

// The entries of --baseline; false after saying why when it can't be read.
bool LoadBaseline(const std::string& name, std::vector<BaselineEntry>& entries) {
  std::string bytes;
  const std::string path = MakeAbsoluteFromWorkingDirectory(name);
  if (const IoError error = ReadWholeFile(path, bytes); error.Failed()) {
    ReportError(DescribeFailure(error.On(path)));
    return false;
  }
  std::string reason;
  if (!ReadBaseline(bytes, entries, reason)) {
    ReportError("the baseline '" + name + "' is no findings file: " + reason);
    return false;
  }
  return true;
}

// Leaves the findings of the shown kinds that no comment silences and the baseline lacks.
// The findings of the kinds shown that no comment silences, with their lines.
FindingLines FilterFindings(Findings& findings, const CheckOptions& options,
                            const KindSwitches& switches) {
  std::erase_if(findings.list, [&](const Finding& finding) {
    return !switches.shown.test(static_cast<std::size_t>(finding.kind));
  });
  FindingLines lines = ReadFindingLines(findings, options.project_folder);
  KeepFindings(findings, lines, [&](std::size_t i) {
    return !IsSilenced(lines.text[i], lines.above[i], findings.list[i].kind);
  });
  return lines;
}

FindingsDocument MakeDocument(const Findings& findings, const FindingLines& lines,
                              const KindSwitches& switches, const std::string& project) {
  FindingsDocument document{.version = DWELVANE_VERSION, .project = project, .findings = {}};
  for (std::size_t i = 0; i < findings.list.size(); ++i) {
    const Finding& finding = findings.list[i];
    document.findings.push_back(
        {&finding, lines.text[i], switches.errors.test(static_cast<std::size_t>(finding.kind))});
  }
  return document;
}

// The findings as --write-baseline keeps them: their JSON form. False after saying why.
bool WriteBaseline(const std::string& path, const FindingsDocument& document) {
  std::string json;
  AppendFindingsJson(json, document);
  LineWriter writer;
  IoError error = writer.Open(OutputTarget::File(MakeAbsoluteFromWorkingDirectory(path)));
  if (!error.Failed()) {
    writer.WriteBytes(json);
    error = writer.FileClose();
  }
  if (error.Failed()) {
    ReportError(DescribeFailure(error));
  }
  return !error.Failed();
}

// 1 when a kind --error names was found, else 3 with findings, 0 without.
int ChooseExitCode(const std::vector<Finding>& findings, const KindSwitches& switches) {
  for (const Finding& finding : findings) {
    if (switches.errors.test(static_cast<std::size_t>(finding.kind))) {
      return kExitFailure;
    }
  }
  return findings.empty() ? kExitSuccess : kExitFindings;
}

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
bool PrintFindings(const std::vector<Finding>& findings, std::size_t format,
                   const FindingsDocument& document) {
  if (format != 0) {
    std::string out;
    const auto append = format == 1   ? AppendFindingsJson
                        : format == 2 ? AppendFindingsSarif
                                      : AppendFindingsGithub;
    append(out, document);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  }
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

// The scan, counting the .wpr files its walk meets; an error, after saying so, when the
// folder holds neither one nor a script: a typing mistake, not a project without findings.
int ScanProject(const CheckOptions& options, DialogueTable& table, CheckResult& result) {
  Progress progress;
  std::int64_t project_files = 0;
  const int exit_code = RunWithProgress(
      options.project_folder, OutputTarget::StandardOutput(), [&](const CommandFeedback& feedback) {
        CommandFeedback counting = feedback;
        counting.note_project_file = [&](const std::string& path) {
          ++project_files;
          feedback.note_project_file(path);
        };
        result = CheckProject(options, table, progress, counting);
        return CommandOutcome{};
      });
  if (exit_code == kExitSuccess && project_files == 0 && table.ScriptCount == 0) {
    ReportError("'" + options.project_folder +
                "' is no project: no .wpr file and no script in it or below it");
    return kExitFailure;
  }
  return exit_code;
}

int RunCheck(const CommandStart& start) {
  const auto table_option = start.arguments.Option("string-table");
  if (table_option && table_option->empty()) {
    return ReportUsageError("--string-table needs a file name");
  }
  std::string error;
  const auto switches = ChooseKindSwitches(start.arguments, error);
  if (!switches) {
    return ReportUsageError(error);
  }
  CheckOptions options;
  options.project_folder = start.project_folder;
  options.include_inc = start.arguments.Flag("include-inc");
  options.walk = ChooseWalkRules(start.arguments);
  options.syntax = ChooseSyntax(start.arguments, ScriptSyntax::kEngine);
  options.string_table_path =
      table_option ? MakeAbsoluteFromWorkingDirectory(*table_option)
                   : ChooseStringTable(start.settings.StringTab, options.project_folder).path;
  if (const auto audio_folder = start.arguments.Option("audio-folder")) {
    options.audio_folder_given = *audio_folder;
    options.audio_folder = MakeAbsoluteFromWorkingDirectory(*audio_folder);
  }
  options.unused_audio =
      start.arguments.Flag("unused-audio") ||
      (start.arguments.Flag("enable") &&
       switches->shown.test(static_cast<std::size_t>(FindingKind::kUnusedAudio)));
  if (!CheckProjectFolder(options.project_folder) ||
      (!options.audio_folder.empty() &&
       !CheckProjectFolder(options.audio_folder, "the audio folder"))) {
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
  std::vector<BaselineEntry> baseline;
  const auto baseline_option = start.arguments.Option("baseline");
  if (baseline_option && !LoadBaseline(*baseline_option, baseline)) {
    return kExitFailure;
  }
  DialogueTable table;
  CheckResult result;
  if (const int exit_code = ScanProject(options, table, result); exit_code != kExitSuccess) {
    return exit_code;
  }
  if (table_option && !result.string_table_read) {
    ReportError("cannot read the string table '" + options.string_table_path + "'");
    return kExitFailure;
  }
  if (with_language) {
    CheckLanguage(
        {table, options.project_folder, base, language, translated ? &*translated : nullptr},
        result.findings);
  }
  FindingLines lines = FilterFindings(result.findings, options, *switches);
  const auto write_baseline = start.arguments.Option("write-baseline");
  if (write_baseline &&
      !WriteBaseline(*write_baseline,
                     MakeDocument(result.findings, lines, *switches, options.project_folder))) {
    return kExitFailure;
  }
  if (baseline_option) {
    DropBaselineFindings(baseline, result.findings, lines);
  }
  const std::size_t format = start.arguments.Choice("format", kFormatNames).value_or(0);
  if (!PrintFindings(result.findings.list, format,
                     MakeDocument(result.findings, lines, *switches, options.project_folder))) {
    ReportError("could not write the findings to standard output");
    return kExitFailure;
  }
  if (result.has_references && !result.string_table_read) {
    ReportError("warning: no string table at '" + options.string_table_path +
                "': no reference is checked");
  }
  Summarize(result.findings.list, table.ScriptCount);
  return ChooseExitCode(result.findings.list, *switches);
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
        "with --po, stale-translation.\n\n"
        "--enable and --disable choose the kinds reported. A finding is not reported when "
        "its line or the line above holds the comment // dwelvane: ignore KIND[,KIND] or "
        "// dwelvane: ignore all, nor when the --baseline file holds it.\n\n"
        "Exit status 0 without findings, 3 with some, 1 when one of the kinds --error names "
        "is found, or on an error: PROJECT is no project (no .wpr file and no script), the "
        "--string-table or the --baseline can't be read, or no PROJECT is given without "
        "--stored.\n\n"
        "--format json, sarif or github writes the findings for pipelines, code hosts and "
        "editors, each with a hint on what to do; --write-baseline keeps them for a later "
        "--baseline.",
    .options = kOptions,
    .stored_project_on_request = true,
    .run = RunCheck,
};

}  // namespace dwelvane

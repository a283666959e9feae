#include "cli/dialogue_command.h"

#include <array>
#include <optional>
#include <string_view>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/command_support.h"
#include "cli/option_values.h"
#include "dialogue/create_csv_table.h"
#include "dialogue/string_table.h"
#include "runtime/line_reader.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

// The keywords of --columns, in the written order.
constexpr auto kColumnKeywords = [] {
  std::array<std::string_view, std::size(kDialogueColumns)> keywords;
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    keywords[i] = kDialogueColumns[i].keyword;
  }
  return keywords;
}();

constexpr OptionEntry kOptions[] = {
    {.name = "columns",
     .value = "LIST",
     .help = "comma-separated, in any letter case, from location, name, line, speaker, "
             "sentence, audio, reference, translate, character (who says it, as the project "
             "tells), kind (talk, async or choice) (default: the first eight but translate)",
     .choices = kColumnKeywords},
    {.name = "separator",
     .value = "TEXT",
     .help = "text between fields, \\t for a tab (default: the stored one, else ;)"},
    {.name = "string-table",
     .value = "FILE",
     .help = "STRING.TAB read for translate (default: the stored one, else "
             "PROJECT/English/STRING.TAB, else the string.tab of the project's primary "
             "package)"},
    {.name = "output",
     .value = "FILE",
     .help = "the file to write, - for standard output (default: PROJECT/Dialogue_List.csv)"},
    {.name = "encoding",
     .help = "bytes (as the scripts hold them), utf-8 (each script, name and table converted "
             "from its own encoding) or utf-8-bom (the same, with a byte order mark for "
             "spreadsheets) (default: bytes)",
     .choices = kEncodingNames},
    {.name = "header", .help = "a first line with the names of the columns"},
    {.name = "relative-paths", .help = "locations relative to PROJECT, with / between folders"},
    {.name = "include-inc", .help = "scan .inc files too"},
    kFollowOutsideLinksOption,
    {.name = "syntax",
     .help = "line (a row per line that holds .Talk( or .TalkAsync(, cut by fixed rules) or "
             "engine (as the engine reads scripts: every call and the player's choices, "
             "comments skipped, ~\" escapes decoded) (default: line)",
     .choices = kSyntaxNames},
    kCharactersOption,
    {.name = "safe-cells",
     .help = "a ' before every cell that starts with =, +, -, @, a tab or a CR, so that a "
             "spreadsheet shows it as text instead of running it as a formula"},
};

// The stored settings fill in what the command line leaves out.
std::optional<DialogueOptions> BuildOptions(const CommandStart& start, std::string& error) {
  const CommandArguments& arguments = start.arguments;
  DialogueOptions options;
  options.project_folder = start.project_folder;
  if (const auto list = arguments.Option("columns")) {
    const auto columns = ParseColumns(*list, error);
    if (!columns) {
      return std::nullopt;
    }
    options.columns = *columns;
  }
  options.separator =
      SeparatorFromText(arguments.Option("separator").value_or(start.settings.Seperator));
  const auto table = arguments.Option("string-table");
  if (table && table->empty()) {
    error = "--string-table needs a file name";
    return std::nullopt;
  }
  options.string_table_path =
      table ? MakeAbsoluteFromWorkingDirectory(*table)
            : ChooseStringTable(start.settings.StringTab, options.project_folder).path;
  // A stored name left empty would name the folder itself.
  const std::string_view name =
      start.settings.CSVName.empty() ? kDefaultCsvName : std::string_view(start.settings.CSVName);
  const auto output =
      ChooseOutput(arguments,
                   OutputTarget::InProject(options.project_folder,
                                           JoinProjectPath(options.project_folder, name)),
                   error);
  if (!output) {
    return std::nullopt;
  }
  options.output = *output;
  options.encoding = ChooseEncoding(arguments);
  options.header = arguments.Flag("header");
  options.relative_paths = arguments.Flag("relative-paths");
  options.include_inc = arguments.Flag("include-inc");
  options.walk = ChooseWalkRules(arguments);
  options.safe_cells = arguments.Flag("safe-cells");
  options.syntax = ChooseSyntax(arguments, ScriptSyntax::kLine);
  return options;
}

// False, after saying so, when a string table given on the command line can't be read; a
// missing default one is only worth a warning, and a packaged project's table a note.
bool CheckStringTable(const CommandStart& start, const DialogueOptions& options) {
  if (!options.columns.WritesTranslation()) {
    return true;
  }
  const bool named = start.arguments.Option("string-table").has_value();
  if (FileIsReadable(options.string_table_path)) {
    if (!named && ChooseStringTable(start.settings.StringTab, options.project_folder).in_package) {
      ReportError("no English/STRING.TAB; translating from the package's '" +
                  options.string_table_path + "'");
    }
    return true;
  }
  if (named) {
    ReportError("cannot read the string table '" + options.string_table_path + "'");
    return false;
  }
  ReportError("warning: no string table at '" + options.string_table_path +
              "'; translations stay empty");
  return true;
}

void WarnAboutMixedEncodings(const DialogueTable& table, const DialogueOptions& options) {
  const LinesByEncoding lines = CountLinesByEncoding(table);
  if (options.encoding == OutputEncoding::kBytes && lines.Mixed()) {
    ReportError("warning: the table mixes encodings: " + std::to_string(lines.windows_1252) +
                " lines from Windows-1252 scripts, " + std::to_string(lines.utf8) +
                " from UTF-8 scripts; --encoding utf-8 writes them all as UTF-8");
  }
}

// A cell such as =HYPERLINK("...") runs as a formula when the table is opened in a
// spreadsheet; the default table keeps the scripts' bytes, so the user is told once.
void WarnAboutFormulaCells(std::size_t formula_cells) {
  if (formula_cells > 0) {
    ReportError("warning: " + std::to_string(formula_cells) +
                (formula_cells == 1 ? " cell starts" : " cells start") +
                " with a formula character (=, +, -, @, tab or CR), which a spreadsheet may "
                "run as a formula; --safe-cells writes a ' before each so that it shows as "
                "text");
  }
}

void SayWhatWasDone(const CommandStart& start, const DialogueOptions& options,
                    const DialogueTable& table, std::size_t formula_cells) {
  if (table.ScriptCount == 0) {
    ReportError(std::string("warning: no ") +
                (options.include_inc ? ".script or .inc" : ".script") + " file in '" +
                options.project_folder + "'");
  }
  WarnAboutMixedEncodings(table, options);
  WarnAboutFormulaCells(formula_cells);
  SummarizeOnTerminal(std::to_string(table.DialogueCount) +
                          (table.DialogueCount == 1 ? " line" : " lines") + " written to " +
                          Describe(options.output),
                      start);
}

int RunDialogue(const CommandStart& start) {
  std::string error;
  auto options = BuildOptions(start, error);
  DialogueTable table;
  Progress progress;
  std::size_t formula_cells = 0;
  const int exit_code = RunOnProject<DialogueOptions>(
      options, error, &DialogueOptions::output,
      [&](const CommandFeedback& feedback) {
        return CreateCsvTable(*options, table, progress, feedback, &formula_cells);
      },
      [&] {
        return CheckStringTable(start, *options) &&
               (!options->columns.character || LoadCharacterAliases(start, options->aliases));
      });
  if (exit_code == kExitSuccess) {
    SayWhatWasDone(start, *options, table, formula_cells);
  }
  return exit_code;
}

}  // namespace

const CommandEntry kDialogueCommand = {
    .name = "dialogue",
    .summary = "write the table of every line said through .Talk( or .TalkAsync(",
    .description =
        "Writes the table of every line said through .Talk( or .TalkAsync( in the "
        "project's .script files.",
    .options = kOptions,
    .run = RunDialogue,
};

}  // namespace dwelvane

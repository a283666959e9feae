#include "cli/dialogue_command.h"

#include <array>
#include <optional>
#include <string_view>

#include "app/app_state.h"
#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/command_support.h"
#include "cli/terminal_progress.h"
#include "dialogue/create_csv_table.h"
#include "dialogue/string_table.h"
#include "runtime/line_reader.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

constexpr std::array<std::string_view, 4> kOptions = {"columns", "separator", "string-table",
                                                      "output"};

struct ColumnName {
  std::string_view name;
  bool DialogueColumns::*tick;
};

constexpr std::array<ColumnName, 8> kColumnNames{{
    {"location", &DialogueColumns::script_location},
    {"name", &DialogueColumns::script_name},
    {"line", &DialogueColumns::script_line},
    {"speaker", &DialogueColumns::speaker},
    {"reference", &DialogueColumns::reference},
    {"translate", &DialogueColumns::translation},
    {"sentence", &DialogueColumns::sentence},
    {"audio", &DialogueColumns::audio_file},
}};

std::optional<DialogueColumns> ParseColumns(std::string_view list, std::string& error) {
  DialogueColumns columns;
  for (const ColumnName& column : kColumnNames) {
    columns.*column.tick = false;
  }
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view word = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    const ColumnName* match = nullptr;
    for (const ColumnName& column : kColumnNames) {
      if (column.name == word) {
        match = &column;
      }
    }
    if (match == nullptr) {
      error = "unknown column '" + std::string(word) + "' in --columns";
      return std::nullopt;
    }
    columns.*match->tick = true;
  }
  return columns;
}

std::string AbsolutePath(const std::string& path) {
  return MakeAbsoluteFromWorkingDirectory(path);
}

// The stored settings fill in what the command line leaves out.
std::optional<DialogueOptions> BuildOptions(const CommandArguments& arguments,
                                            const Settings& settings, std::string& error) {
  DialogueOptions options;
  options.project_folder =
      arguments.project ? AbsolutePath(*arguments.project) : settings.WMEProjectDir;
  if (options.project_folder.empty()) {
    error = "no PROJECT given and no project folder stored";
    return std::nullopt;
  }
  options.project_folder = EnsureTrailingSeparator(options.project_folder);
  if (const auto list = arguments.Option("columns")) {
    const auto columns = ParseColumns(*list, error);
    if (!columns) {
      return std::nullopt;
    }
    options.columns = *columns;
  }
  options.separator = arguments.Option("separator").value_or(settings.Seperator);
  const auto table = arguments.Option("string-table");
  options.string_table_path =
      table ? AbsolutePath(*table)
            : ChooseStringTablePath(settings.StringTab, options.project_folder);
  const auto output = arguments.Option("output");
  options.to_standard_output = output == "-";
  options.output_path =
      output ? AbsolutePath(*output) : JoinProjectPath(options.project_folder, settings.CSVName);
  return options;
}

bool TranslationRequested(const DialogueOptions& options) {
  return options.columns.reference && options.columns.translation;
}

}  // namespace

int RunDialogueCommand(std::span<const std::string> words) {
  auto start = StartCommand(words, kOptions);
  if (!start) {
    return kExitUsage;
  }
  AppState state;
  state.settings = std::move(start->settings);
  std::string error;
  const CommandArguments& arguments = start->arguments;
  const auto options = BuildOptions(arguments, state.settings, error);
  if (!options) {
    return ReportUsageError(error);
  }
  if (!CheckProjectFolder(options->project_folder)) {
    return kExitFailure;
  }
  if (TranslationRequested(*options) && !FileIsReadable(options->string_table_path)) {
    if (arguments.Option("string-table")) {
      ReportError("cannot read the string table '" + options->string_table_path + "'");
      return kExitFailure;
    }
    ReportError("warning: no string table at '" + options->string_table_path +
                "'; translations stay empty");
  }
  const CommandFeedback feedback = MakeTerminalProgress();
  const CsvOutcome outcome =
      CreateCsvTable(*options, state.dialogue_table, state.progress, feedback);
  EndTerminalProgress();
  if (outcome != CsvOutcome::kWritten) {
    return ReportWriteFailure(options->to_standard_output, options->output_path);
  }
  return kExitSuccess;
}

}  // namespace dwelvane

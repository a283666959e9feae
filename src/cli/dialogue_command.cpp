#include "cli/dialogue_command.h"

#include <optional>
#include <string_view>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/command_support.h"
#include "dialogue/create_csv_table.h"
#include "dialogue/string_table.h"
#include "runtime/line_reader.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

constexpr std::string_view kOptions[] = {"columns", "separator", "string-table", "output"};

struct ColumnName {
  std::string_view name;
  bool DialogueColumns::*tick;
};

constexpr ColumnName kColumnNames[] = {
    {"location", &DialogueColumns::script_location}, {"name", &DialogueColumns::script_name},
    {"line", &DialogueColumns::script_line},         {"speaker", &DialogueColumns::speaker},
    {"reference", &DialogueColumns::reference},      {"translate", &DialogueColumns::translation},
    {"sentence", &DialogueColumns::sentence},        {"audio", &DialogueColumns::audio_file},
};

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
  options.separator = arguments.Option("separator").value_or(start.settings.Seperator);
  const auto table = arguments.Option("string-table");
  if (table && table->empty()) {
    error = "--string-table needs a file name";
    return std::nullopt;
  }
  options.string_table_path =
      table ? AbsolutePath(*table)
            : ChooseStringTablePath(start.settings.StringTab, options.project_folder);
  const auto output = ChooseOutput(
      arguments,
      OutputTarget::File(JoinProjectPath(options.project_folder, start.settings.CSVName)), error);
  if (!output) {
    return std::nullopt;
  }
  options.output = *output;
  return options;
}

// False, after saying so, when a string table given on the command line can't be read; a
// missing default one is only worth a warning.
bool CheckStringTable(const DialogueOptions& options, bool named_on_command_line) {
  if (!options.columns.WritesTranslation() || FileIsReadable(options.string_table_path)) {
    return true;
  }
  if (named_on_command_line) {
    ReportError("cannot read the string table '" + options.string_table_path + "'");
    return false;
  }
  ReportError("warning: no string table at '" + options.string_table_path +
              "'; translations stay empty");
  return true;
}

}  // namespace

int RunDialogueCommand(std::span<const std::string> words) {
  const auto start = StartCommand(words, kOptions);
  if (!start) {
    return kExitUsage;
  }
  std::string error;
  const auto options = BuildOptions(*start, error);
  if (!options) {
    return ReportUsageError(error);
  }
  if (!CheckProjectFolder(options->project_folder) ||
      !CheckStringTable(*options, start->arguments.Option("string-table").has_value())) {
    return kExitFailure;
  }
  DialogueTable table;
  Progress progress;
  return RunWithProgress(options->output, [&](const CommandFeedback& feedback) {
    return CreateCsvTable(*options, table, progress, feedback);
  });
}

}  // namespace dwelvane

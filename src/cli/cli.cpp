#include "cli/cli.h"

#include <cstdio>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/closest_name.h"
#include "cli/command_table.h"
#include "cli/help_text.h"
#include "runtime/out_of_memory.h"
#include "runtime/platform_file.h"
#include "runtime/temporary_files.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

int ReportUnknownCommand(const std::string& word) {
  std::vector<std::string_view> names;
  for (const CommandEntry* command : Commands()) {
    names.push_back(command->name);
  }
  const auto meant = FindClosestName(word, names);
  return ReportUsageError("unknown command '" + word + "'" +
                          (meant ? "; did you mean '" + std::string(*meant) + "'?" : ""));
}

int PrintText(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  return kExitSuccess;
}

// "help --completion [COMMAND]": the words the bash completion offers.
int PrintCompletionList(std::span<const std::string> words) {
  if (words.empty()) {
    return PrintText(FormatCompletionList(nullptr));
  }
  const CommandEntry* command = FindCommand(words.front());
  return command != nullptr ? PrintText(FormatCompletionList(command))
                            : ReportUnknownCommand(words.front());
}

// "help" and "help COMMAND".
int RunHelp(std::span<const std::string> words) {
  if (words.empty()) {
    return PrintText(FormatOverview());
  }
  if (words.front() == "--completion") {
    return PrintCompletionList(words.subspan(1));
  }
  const CommandEntry* command = FindCommand(words.front());
  return command != nullptr ? PrintText(FormatCommandHelp(*command))
                            : ReportUnknownCommand(words.front());
}

int RunCommand(const CommandEntry& command, std::span<const std::string> words) {
  if (AsksForHelp(words)) {
    return PrintText(FormatCommandHelp(command));
  }
  const auto start =
      StartCommand(words, command.options, command.takes_project, !command.file_argument.empty());
  if (!start) {
    return kExitUsage;
  }
  if (start->project_from_settings) {
    if (command.stored_project_on_request && !start->arguments.Flag("stored")) {
      ReportError(
          "no PROJECT given: name the project folder, or --stored for the one the "
          "window stored");
      return kExitFailure;
    }
    ReportError("no PROJECT given: using the stored project folder '" + start->project_folder +
                "'");
  }
  // What a command reads is the user's, of any size: running out of memory is an error
  // like any other, and the outputs' temporary files are removed on the way out.
  try {
    return command.run(*start);
  } catch (const OutOfMemoryReading& error) {
    ReportError("out of memory reading '" + error.Path() + "'");
  } catch (const std::bad_alloc&) {
    ReportError("out of memory");
  }
  return kExitFailure;
}

}  // namespace

void ReportError(const std::string& message) {
  // Messages name files, and file names come from the project.
  const std::string shown =
      platform::StandardErrorIsTerminal() ? EscapeControlCharacters(message) : message;
  std::fprintf(stderr, "dwelvane-cli: %s\n", shown.c_str());
}

int ReportUsageError(const std::string& message) {
  ReportError(message);
  std::fputs("Try 'dwelvane-cli --help'.\n", stderr);
  return kExitUsage;
}

int RunCli(std::span<const std::string> words) {
  platform::LetWritesBeyondTheSizeLimitFail();
  RemoveTemporaryFilesOnSignals();
  if (words.empty()) {
    return ReportUsageError("no command given");
  }
  const std::string& first = words.front();
  if (first == "-h" || first == "--help") {
    return PrintText(FormatOverview());
  }
  if (first == "--version") {
    std::printf("dwelvane-cli %s\n", DWELVANE_VERSION);
    return kExitSuccess;
  }
  if (first == "help") {
    return RunHelp(words.subspan(1));
  }
  const CommandEntry* command = FindCommand(first);
  if (command == nullptr) {
    return first.starts_with("-") ? ReportUsageError("unknown option '" + first + "'")
                                  : ReportUnknownCommand(first);
  }
  return RunCommand(*command, words.subspan(1));
}

}  // namespace dwelvane

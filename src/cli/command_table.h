#pragma once

#include <span>
#include <string_view>

#include "cli/cli_arguments.h"
#include "cli/command_support.h"

namespace dwelvane {

// One command of dwelvane-cli: all that its parser, its help, the overview, the man page and
// the bash completion know of it. Each command's file defines its own.
struct CommandEntry {
  std::string_view name;
  std::string_view summary = {};  // its line in the overview: lower case, no full stop
  // Its help's sentences; an empty line between paragraphs.
  std::string_view description = {};
  std::span<const OptionEntry> options = {};
  bool takes_project = true;
  std::string_view file_argument = {};  // the name of a file it reads before PROJECT: FILE
  // The project the window stored is used without PROJECT only with --stored (a pipeline
  // must not check whatever project a machine last had); other commands use it and say so.
  bool stored_project_on_request = false;
  int (*run)(const CommandStart& start) = nullptr;
};

// Every command, in the order the overview lists them.
std::span<const CommandEntry* const> Commands();

const CommandEntry* FindCommand(std::string_view name);

}  // namespace dwelvane

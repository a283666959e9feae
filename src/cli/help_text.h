#pragma once

#include <string>

#include "cli/command_table.h"

namespace dwelvane {

// --help and help: the usage, every command with its summary, and where to find more.
std::string FormatOverview();

// help COMMAND and COMMAND --help: its usage, its description and its options.
std::string FormatCommandHelp(const CommandEntry& command);

// For the bash completion, one a line: the commands' names, or with a command its options as
// "--name [VALUE [CHOICE ...]]", where VALUE is as the usage shows it.
std::string FormatCompletionList(const CommandEntry* command);

}  // namespace dwelvane

#pragma once

#include <span>
#include <string>

namespace dwelvane {

// dwelvane-cli stats: the words after the command name; returns the exit code.
int RunStatsCommand(std::span<const std::string> words);

}  // namespace dwelvane

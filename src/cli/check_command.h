#pragma once

#include <span>
#include <string>

namespace dwelvane {

inline constexpr int kExitFindings = 3;

// dwelvane-cli check: the words after the command name; returns the exit code.
int RunCheckCommand(std::span<const std::string> words);

}  // namespace dwelvane

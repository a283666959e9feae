#pragma once

#include <span>
#include <string>

namespace dwelvane {

// dwelvane-cli dialogue: the words after the command name; returns the exit code.
int RunDialogueCommand(std::span<const std::string> words);

}  // namespace dwelvane

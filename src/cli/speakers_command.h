#pragma once

#include <span>
#include <string>

namespace dwelvane {

// dwelvane-cli speakers: the words after the command name; returns the exit code.
int RunSpeakersCommand(std::span<const std::string> words);

}  // namespace dwelvane

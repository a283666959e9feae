#pragma once

#include <optional>
#include <span>
#include <string>

#include "cli/cli_arguments.h"
#include "settings/settings.h"

namespace dwelvane {

// The command's words parsed against its option names, and the stored settings; nothing,
// after the usage text, when the words are wrong.
struct CommandStart {
  CommandArguments arguments;
  Settings settings;
};
std::optional<CommandStart> StartCommand(std::span<const std::string> words,
                                         std::span<const std::string_view> known_options);

// Says that the output can't be written; returns the exit code for it.
int ReportWriteFailure(bool to_standard_output, const std::string& path);

// PROJECT, or the stored project folder: absolute, with a trailing separator. Nothing,
// and the reason in `error`, when neither is there.
std::optional<std::string> ChooseProjectFolder(const CommandArguments& arguments,
                                               const Settings& settings, std::string& error);

// False, after saying so on standard error, when `folder` can't be listed.
bool CheckProjectFolder(const std::string& folder);

}  // namespace dwelvane

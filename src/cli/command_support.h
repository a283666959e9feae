#pragma once

#include <optional>
#include <string>

#include "cli/cli_arguments.h"
#include "settings/settings.h"

namespace dwelvane {

// The settings the command line starts from.
Settings LoadCliSettings();

// PROJECT, or the stored project folder: absolute, with a trailing separator. Nothing,
// and the reason in `error`, when neither is there.
std::optional<std::string> ChooseProjectFolder(const CommandArguments& arguments,
                                               const Settings& settings, std::string& error);

// False, after saying so on standard error, when `folder` can't be listed.
bool CheckProjectFolder(const std::string& folder);

}  // namespace dwelvane

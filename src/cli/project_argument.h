#pragma once

#include <optional>
#include <string>

namespace dwelvane {

// The project folder PROJECT names, absolute: a .wpr file (the ending in any letter case)
// stands for its folder, a folder for itself. Nothing, and the reason in `error`, for a
// folder without a .wpr file that lies inside a project folder (one of the folders above
// it, or above its real path, holds one): the project's data is no project, and an output
// there would land in the game's files. A folder that can't be listed is handed on as it
// is, for the command to say so.
std::optional<std::string> ResolveProjectArgument(const std::string& given, std::string& error);

}  // namespace dwelvane

#pragma once

#include <optional>
#include <string>

namespace dwelvane {

// The string table a packaged project keeps: "string.tab" (any letter case) in the folder
// of the primary package that the project's .wpr file lists ([PackageN] sections with
// Folder= and Primary=1; without a primary one, the first), else in "data". Nothing when
// neither holds a readable one.
std::optional<std::string> FindPackageStringTable(const std::string& project_folder);

}  // namespace dwelvane

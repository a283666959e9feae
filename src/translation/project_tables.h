#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dwelvane {

// Where one of the project's string tables is.
struct ProjectTable {
  std::string path;            // the table file (may not exist yet)
  std::string package_folder;  // the package folder it belongs to (the project folder when none)
  std::string relative;        // its path below the package folder, with the system's separator
};

// The value of the first `STRING_TABLE = "..."` line of a startup.settings or .wpr text:
// the key in any letter case, blanks around "=", the quotes taken off. Nothing without one
// or when it is empty.
std::optional<std::string_view> StringTableSetting(std::string_view text);

// The same, read from the file at `path`; nothing when it can't be read.
std::optional<std::string> ReadStringTableSetting(const std::string& path);

// `relative` ("\" or "/" between its names) below `folder`, each name in the letter case
// the folder holds it in where one matches without regard to ASCII case, as written from
// the first name that matches none. The system's separator between the names.
std::string FindPathIgnoringCase(const std::string& folder, std::string_view relative);

// The table the game loads: the STRING_TABLE of startup.settings in the primary package
// folder of the .wpr (the project folder without packages); else the STRING_TABLE of the
// .wpr, relative to the project folder; else what ChooseStringTable picks by itself.
ProjectTable FindBaseTable(const std::string& project_folder);

// The table of the language `language`: the file at the base table's relative path in the
// package folder the .wpr lists whose own name is `language` (ASCII case ignored), else in
// PROJECT/`language`, which need not exist yet.
ProjectTable FindLanguageTable(const std::string& project_folder, std::string_view language,
                               const ProjectTable& base);

}  // namespace dwelvane

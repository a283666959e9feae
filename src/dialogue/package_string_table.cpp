#include "dialogue/package_string_table.h"

#include "dialogue/project_packages.h"
#include "runtime/line_reader.h"
#include "runtime/path_separator.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

// The folder a package names, inside the project; "\" and "/" both separate.
std::string PackageFolder(const std::string& project_folder, std::string folder) {
  for (char& c : folder) {
    c = c == '\\' || c == '/' ? kPathSeparator : c;
  }
  return JoinProjectPath(project_folder, folder);
}

}  // namespace

std::optional<std::string> FindPackageStringTable(const std::string& project_folder) {
  const std::string project = ResolveProgramPath(project_folder);
  std::vector<std::string> folders;
  if (const std::vector<std::string> packages = ReadPackageFolders(project);
      !packages.empty() && !packages.front().empty()) {
    folders.push_back(PackageFolder(project, packages.front()));
  }
  folders.push_back(JoinProjectPath(project, "data"));
  for (const std::string& folder : folders) {
    const auto table = FindFileEndingWith(folder, "string.tab", true);
    if (table && FileIsReadable(*table)) {
      return table;
    }
  }
  return std::nullopt;
}

}  // namespace dwelvane

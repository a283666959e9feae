#include "runtime/program_paths.h"

#include <filesystem>

#include "runtime/path_separator.h"

namespace dwelvane {

const std::string& ProgramFolder() {
  static const std::string folder = ReadProgramFolder();
  return folder;
}

std::string ResolveProgramPath(std::string_view path) {
  if (IsAbsolutePath(path)) {
    return std::string(path);
  }
  std::string resolved = ProgramFolder();
  resolved.append(path);
  return resolved;
}

std::string EnsureTrailingSeparator(std::string_view folder) {
  std::string result(folder);
  if (!result.empty() && result.back() != kPathSeparator) {
    result.push_back(kPathSeparator);
  }
  return result;
}

std::string JoinProjectPath(std::string_view project_folder, std::string_view name) {
  std::string path = EnsureTrailingSeparator(project_folder);
  path.append(name);
  return path;
}

std::string ProjectFolderName(const std::string& folder) {
  return std::filesystem::path(ResolveProgramPath(EnsureTrailingSeparator(folder)))
      .parent_path()
      .filename()
      .string();
}

}  // namespace dwelvane

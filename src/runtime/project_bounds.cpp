#include "runtime/project_bounds.h"

#include <filesystem>

#include "runtime/path_separator.h"
#include "runtime/platform_file.h"

namespace dwelvane {

bool LiesWithin(const std::string& real_path, const std::string& real_folder) {
  if (real_path.empty() || real_folder.empty() || !real_path.starts_with(real_folder)) {
    return false;
  }
  // A root folder ends in its separator already.
  return real_path.size() == real_folder.size() || real_folder.back() == kPathSeparator ||
         real_path[real_folder.size()] == kPathSeparator;
}

IoError CheckOutputInProject(const std::string& path, const std::string& project_folder) {
  if (platform::IsLink(path)) {
    return {IoOperation::kCreate, path, kOutputIsALink};
  }
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const std::string real_folder = platform::RealPathOf(folder);
  const std::string real_project = platform::RealPathOf(project_folder);
  if (!real_folder.empty() && !real_project.empty() && !LiesWithin(real_folder, real_project)) {
    return {IoOperation::kCreate, path, kLeadsOutOfTheProject};
  }
  return {};
}

}  // namespace dwelvane

#include "dialogue/project_paths.h"

#include "runtime/text_operations.h"

namespace dwelvane {

ProjectPaths::ProjectPaths(std::string project_folder, const std::vector<std::string>& packages)
    : project_folder_(std::move(project_folder)) {
  for (const std::string& package : packages) {
    if (!package.empty()) {
      packages_.push_back(package + "/");
    }
  }
  packages_.emplace_back();
}

void ProjectPaths::Add(const WalkedFile& file) {
  if (file.path.size() > project_folder_.size() && file.path.starts_with(project_folder_)) {
    by_relative_path_.try_emplace(file.path.substr(project_folder_.size()), file.path);
  }
}

const std::string* ProjectPaths::Find(std::string_view name) const {
  for (const std::string& package : packages_) {
    key_.assign(package).append(name);
    if (const auto found = by_relative_path_.find(key_); found != by_relative_path_.end()) {
      return &found->second;
    }
  }
  return nullptr;
}

bool IsDefinitionFile(std::string_view name) {
  return EndsWithLowered(name, ".actor") || EndsWithLowered(name, ".act3d") ||
         EndsWithLowered(name, ".entity") || EndsWithLowered(name, ".scene");
}

bool IsScriptOrDefinitionFile(std::string_view name) {
  return EndsWithLowered(name, ".script") || EndsWithLowered(name, ".inc") ||
         IsDefinitionFile(name);
}

}  // namespace dwelvane

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
    const std::string_view relative =
        relative_paths_.Store(std::string_view(file.path).substr(project_folder_.size()));
    numbers_.emplace(relative, read_.size());
    read_.push_back(false);
  }
}

std::size_t ProjectPaths::Number(std::string_view path) const {
  const std::string_view relative =
      path.starts_with(project_folder_) ? path.substr(project_folder_.size()) : path;
  const auto [first, last] = numbers_.equal_range(relative);
  for (auto file = first; file != last; ++file) {
    if (file->first == relative) {
      return file->second;
    }
  }
  return kNone;
}

std::string ProjectPaths::Find(std::string_view name) const {
  for (const std::string& package : packages_) {
    key_.assign(package).append(name);
    if (const auto found = numbers_.find(std::string_view(key_)); found != numbers_.end()) {
      return project_folder_ + std::string(found->first);
    }
  }
  return {};
}

bool ProjectPaths::MarkRead(std::size_t number) {
  if (number == kNone || read_[number]) {
    return number == kNone;
  }
  read_[number] = true;
  return true;
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

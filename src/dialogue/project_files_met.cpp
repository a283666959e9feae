#include "dialogue/project_files_met.h"

#include <utility>

#include "runtime/path_separator.h"
#include "runtime/program_paths.h"

namespace dwelvane {

ProjectFilesMet::ProjectFilesMet(std::string project_folder)
    : folder_(EnsureTrailingSeparator(project_folder)) {}

void ProjectFilesMet::Note(const std::string& path) {
  const std::string below = path.starts_with(folder_) ? path.substr(folder_.size()) : path;
  in_folder_ = in_folder_ || below.find(kPathSeparator) == std::string::npos;
  ++count_;
  if (first_.size() < kNamed) {
    first_.push_back(below);
  }
}

}  // namespace dwelvane

#include "cli/project_files_met.h"

#include <utility>

#include "cli/cli.h"
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

void ProjectFilesMet::Warn() const {
  if (count_ < 2) {
    if (!in_folder_) {
      ReportError("warning: no .wpr file in '" + folder_ + "': is it a WME project folder?");
    }
    return;
  }
  std::string names;
  for (const std::string& name : first_) {
    names.append(names.empty() ? "" : ", ").append(name);
  }
  names.append(count_ > static_cast<std::int64_t>(first_.size()) ? ", ..." : "");
  ReportError("warning: " + std::to_string(count_) + " .wpr files below '" + folder_ +
              "', so the output covers several projects: " + names);
}

}  // namespace dwelvane

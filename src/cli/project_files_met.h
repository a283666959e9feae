#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dwelvane {

// The .wpr files a command's walk met below the project folder, for one warning when the
// folder is no project folder of one project.
class ProjectFilesMet {
 public:
  static constexpr std::size_t kNamed = 3;

  explicit ProjectFilesMet(std::string project_folder);

  void Note(const std::string& path);

  // On standard error: the first few of several .wpr files, which the output all covers;
  // else, when none lies directly in the folder, that it may be no WME project folder.
  void Warn() const;

 private:
  std::string folder_;  // with a trailing separator
  std::int64_t count_ = 0;
  std::vector<std::string> first_;  // below the folder
  bool in_folder_ = false;
};

}  // namespace dwelvane

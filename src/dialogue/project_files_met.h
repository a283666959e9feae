#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dwelvane {

// The .wpr files a command's walk met below the project folder, so that the command line
// and the window can say when the folder is no project folder of one project.
class ProjectFilesMet {
 public:
  static constexpr std::size_t kNamed = 3;

  explicit ProjectFilesMet(std::string project_folder);

  void Note(const std::string& path);

  const std::string& Folder() const { return folder_; }
  std::int64_t Count() const { return count_; }
  // True when one lies directly in the folder, as in every WME project folder.
  bool AnyInFolder() const { return in_folder_; }
  // The first few met, relative to the folder.
  const std::vector<std::string>& First() const { return first_; }

 private:
  std::string folder_;  // with a trailing separator
  std::int64_t count_ = 0;
  std::vector<std::string> first_;  // below the folder
  bool in_folder_ = false;
};

}  // namespace dwelvane

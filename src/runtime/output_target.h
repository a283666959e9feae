#pragma once

#include <string>

namespace dwelvane {

// Where a command writes its file: a path, or standard output.
struct OutputTarget {
  std::string path;  // ignored when writing to standard output
  bool to_standard_output = false;
  // Set for a file the program places in the project folder on its own: the file must
  // stay inside that folder (FileReplacement::Begin). Empty for a file the user named,
  // which may be a link.
  std::string project_folder;

  static OutputTarget StandardOutput() { return {{}, true, {}}; }
  static OutputTarget File(std::string path) { return {std::move(path), false, {}}; }
  static OutputTarget InProject(std::string project_folder, std::string path) {
    return {std::move(path), false, std::move(project_folder)};
  }
};

}  // namespace dwelvane

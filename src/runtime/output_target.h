#pragma once

#include <string>

namespace dwelvane {

// Where a command writes its file: a path, or standard output.
struct OutputTarget {
  std::string path;  // ignored when writing to standard output
  bool to_standard_output = false;

  static OutputTarget StandardOutput() { return {.path = {}, .to_standard_output = true}; }
  static OutputTarget File(std::string path) { return {.path = std::move(path)}; }
};

}  // namespace dwelvane

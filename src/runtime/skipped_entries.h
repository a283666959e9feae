#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dwelvane {

// The files and folders a command passed over because they could not be read: how many,
// and the first few paths, to name in a warning.
struct SkippedEntries {
  static constexpr std::size_t kPathsKept = 3;

  std::int64_t count = 0;
  std::vector<std::string> first_paths;

  void Note(const std::string& path) {
    ++count;
    if (first_paths.size() < kPathsKept) {
      first_paths.push_back(path);
    }
  }
};

}  // namespace dwelvane

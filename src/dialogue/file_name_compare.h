#pragma once

#include <cstddef>
#include <string_view>

namespace dwelvane {

// Hashes and compares file names as Windows does: ASCII case ignored, "\\" and "/" alike.
struct FileNameHash {
  std::size_t operator()(std::string_view name) const;
};
struct FileNameEqual {
  bool operator()(std::string_view a, std::string_view b) const;
};

}  // namespace dwelvane

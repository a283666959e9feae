#pragma once

#include <cstddef>
#include <string_view>

namespace dwelvane {

// Hashes and compares file names as Windows does: ASCII case ignored, "\\" and "/" alike.
// Both take any text as it is, so that a look-up by a view allocates nothing.
struct FileNameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const;
};
struct FileNameEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

}  // namespace dwelvane

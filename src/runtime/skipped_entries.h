#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/io_error.h"

namespace dwelvane {

// The files and folders a command passed over because they could not be read: how many,
// and the first few with why, to name in a warning.
struct SkippedEntries {
  static constexpr std::size_t kKept = 3;

  std::int64_t count = 0;
  std::vector<IoError> first;

  void Note(const IoError& skipped) {
    ++count;
    if (first.size() < kKept) {
      first.push_back(skipped);
    }
  }
};

}  // namespace dwelvane

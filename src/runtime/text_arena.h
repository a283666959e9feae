#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/large_block.h"

namespace dwelvane {

// Keeps copies of many small texts in a few large blocks, so that a table of a hundred
// thousand rows costs a handful of allocations instead of several per row. A stored text
// stays put until Clear. The first block is small, for small projects; the next ones are
// large blocks, which cost a fraction of the page faults of ordinary memory.
class TextArena {
 public:
  // A copy of `text` that lives until Clear.
  std::string_view Store(std::string_view text);

  void Clear();

  // Forgets every text but keeps the first block for the next ones, so that a reader that
  // keeps a few texts per file allocates nothing from file to file.
  void Rewind();

 private:
  static constexpr std::size_t kFirstBlockSize = 256 * 1024;

  char* NewBlock(std::size_t size);

  LargeBlock first_;  // the small first block
  std::vector<LargeBlock> blocks_;
  char* free_ = nullptr;
  std::size_t free_size_ = 0;
};

}  // namespace dwelvane

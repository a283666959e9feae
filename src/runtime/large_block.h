#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace dwelvane {

// The size of a memory page the system can map at once where it has large pages (2 MiB on
// x86-64 Linux): a block of it costs one page fault instead of 512.
inline constexpr std::size_t kLargeBlockSize = 2 * 1024 * 1024;

struct LargeBlockRelease {
  void operator()(char* block) const;
};

// Uninitialised memory for `size` bytes. A whole number of kLargeBlockSize is aligned to
// it and, on Linux, offered to the system for large pages (large_block_posix.cpp,
// large_block_win32.cpp).
using LargeBlock = std::unique_ptr<char[], LargeBlockRelease>;
LargeBlock AllocateLargeBlock(std::size_t size);

// Bytes in large blocks, for a whole file: growing leaves the new bytes as they are
// rather than zeroing them, and copies what is there into a larger block.
class LargeBytes {
 public:
  std::size_t size() const { return size_; }
  char* data() { return block_.get(); }
  const char* data() const { return block_.get(); }
  std::string_view view() const { return {block_.get(), size_}; }

  void resize(std::size_t size);
  void clear() { size_ = 0; }

 private:
  LargeBlock block_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace dwelvane

#pragma once

#include <cstddef>
#include <memory>

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

}  // namespace dwelvane

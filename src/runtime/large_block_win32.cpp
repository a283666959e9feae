#include <malloc.h>

#include <cstddef>
#include <new>

#include "runtime/large_block.h"

namespace dwelvane {

void LargeBlockRelease::operator()(char* block) const {
  _aligned_free(block);
}

// Windows gives large pages only to programs granted the right to lock memory; the block
// is ordinary memory, aligned as the header promises.
LargeBlock AllocateLargeBlock(std::size_t size) {
  const bool large = size > 0 && size % kLargeBlockSize == 0;
  auto* block = static_cast<char*>(
      _aligned_malloc(size > 0 ? size : 1, large ? kLargeBlockSize : alignof(std::max_align_t)));
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  return LargeBlock(block);
}

}  // namespace dwelvane

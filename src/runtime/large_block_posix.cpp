#include <sys/mman.h>

#include <cstdlib>
#include <new>

#include "runtime/large_block.h"

namespace dwelvane {

void LargeBlockRelease::operator()(char* block) const {
  std::free(block);
}

LargeBlock AllocateLargeBlock(std::size_t size) {
  const bool large = size > 0 && size % kLargeBlockSize == 0;
  auto* block = static_cast<char*>(large ? std::aligned_alloc(kLargeBlockSize, size)
                                         : std::malloc(size > 0 ? size : 1));
  if (block == nullptr) {
    throw std::bad_alloc();
  }
#ifdef MADV_HUGEPAGE
  // Only advice: where the system has no large pages the block works all the same.
  if (large) {
    static_cast<void>(::madvise(block, size, MADV_HUGEPAGE));
  }
#endif
  return LargeBlock(block);
}

}  // namespace dwelvane

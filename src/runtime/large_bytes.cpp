#include <cstring>

#include "runtime/large_block.h"

namespace dwelvane {

void LargeBytes::resize(std::size_t size) {
  if (size > capacity_) {
    const std::size_t capacity = (size + kLargeBlockSize - 1) / kLargeBlockSize * kLargeBlockSize;
    LargeBlock larger = AllocateLargeBlock(capacity);
    if (size_ > 0) {
      std::memcpy(larger.get(), block_.get(), size_);
    }
    block_ = std::move(larger);
    capacity_ = capacity;
  }
  size_ = size;
}

}  // namespace dwelvane

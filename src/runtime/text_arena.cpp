#include "runtime/text_arena.h"

#include <cstring>

namespace dwelvane {
namespace {

std::string_view CopyInto(char* place, std::string_view text) {
  std::memcpy(place, text.data(), text.size());
  return {place, text.size()};
}

}  // namespace

std::string_view TextArena::Store(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  // A text larger than a quarter block gets a block of its own, so that the space left
  // in the current block is not wasted.
  if (text.size() > kFirstBlockSize / 4) {
    return CopyInto(NewBlock(text.size()), text);
  }
  if (text.size() > free_size_ && !first_) {
    first_ = AllocateLargeBlock(kFirstBlockSize);
    free_ = first_.get();
    free_size_ = kFirstBlockSize;
  } else if (text.size() > free_size_) {
    free_size_ = kLargeBlockSize;
    free_ = NewBlock(free_size_);
  }
  const std::string_view copy = CopyInto(free_, text);
  free_ += text.size();
  free_size_ -= text.size();
  return copy;
}

void TextArena::Clear() {
  blocks_.clear();
  first_ = {};
  free_ = nullptr;
  free_size_ = 0;
}

void TextArena::Rewind() {
  blocks_.clear();
  free_ = first_ ? first_.get() : nullptr;
  free_size_ = first_ ? kFirstBlockSize : 0;
}

char* TextArena::NewBlock(std::size_t size) {
  blocks_.push_back(AllocateLargeBlock(size));
  return blocks_.back().get();
}

}  // namespace dwelvane

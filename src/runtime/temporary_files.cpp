#include "runtime/temporary_files.h"

#include <atomic>
#include <csignal>
#include <cstring>

namespace dwelvane {
namespace {

using temporary_files_detail::kPathSize;
using temporary_files_detail::kSlots;

// A slot is claimed (kWriting) before its path is copied and published (kLive) after, so
// that the handler never reads a path half-copied.
enum SlotState : int { kFree = 0, kWriting = 1, kLive = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[kPathSize] = {};
};

static_assert(std::atomic<int>::is_always_lock_free, "the handler may not wait for a lock");

Slot slots[kSlots];

}  // namespace

void RegisterTemporaryFile(const std::string& path) {
  if (path.size() >= static_cast<std::size_t>(kPathSize)) {
    return;
  }
  for (Slot& slot : slots) {
    int expected = kFree;
    if (slot.state.compare_exchange_strong(expected, kWriting)) {
      std::memcpy(slot.path, path.c_str(), path.size() + 1);
      slot.state.store(kLive);
      return;
    }
  }
}

void UnregisterTemporaryFile(const std::string& path) {
  for (Slot& slot : slots) {
    if (slot.state.load() == kLive && path == slot.path) {
      slot.state.store(kFree);
      return;
    }
  }
}

namespace temporary_files_detail {

void ForEachRegistered(void (*remove)(const char* path)) {
  for (Slot& slot : slots) {
    if (slot.state.load() == kLive) {
      remove(slot.path);
    }
  }
}

}  // namespace temporary_files_detail

}  // namespace dwelvane

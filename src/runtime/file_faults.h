#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

// A seam in the platform's file calls through which tests make them fail as a full disk,
// a failing drive or a vanished file would, without any of those at hand.
namespace dwelvane::platform {

enum class FileCall { kOpen, kRead, kWrite, kClose, kRename };

struct FileCallInfo {
  FileCall call;
  std::string_view path;  // the file opened, or the target of a rename; empty otherwise
  std::size_t size = 0;   // the bytes asked for, for reads and writes
};

// Returns 0 to let the call run, or the error number (EIO, ENOSPC, ...) it fails with.
using FileFaultRule = std::function<int(const FileCallInfo& call)>;

// Makes the file calls follow `rule` while it lives; tests only, one at a time.
class ScopedFileFaults {
 public:
  explicit ScopedFileFaults(FileFaultRule rule);
  ~ScopedFileFaults();
  ScopedFileFaults(const ScopedFileFaults&) = delete;
  ScopedFileFaults& operator=(const ScopedFileFaults&) = delete;
};

// Asked by the platform code before each call: the error to fail it with, or 0.
int InjectedFileFault(const FileCallInfo& call);

// Makes every read deliver at most `most` bytes while it lives, as a network or FUSE file
// system may; tests only.
class ScopedShortReads {
 public:
  explicit ScopedShortReads(std::size_t most);
  ~ScopedShortReads();
  ScopedShortReads(const ScopedShortReads&) = delete;
  ScopedShortReads& operator=(const ScopedShortReads&) = delete;
};

// Asked by the platform code before each read: how many of the `size` bytes asked for it
// may deliver.
std::size_t InjectedReadLimit(std::size_t size);

}  // namespace dwelvane::platform

#pragma once

#include <chrono>
#include <string>

namespace dwelvane {

// Holds an exclusive advisory lock on `path` (created when missing) for its lifetime, so
// that two running copies of the program take turns changing a shared file. A holder that
// keeps it longer than `patience` (a copy that hangs) is not waited for: the lock is then
// not held and TimedOut says why.
class FileLock {
 public:
  static constexpr std::chrono::milliseconds kPatience{10'000};

  explicit FileLock(const std::string& path, std::chrono::milliseconds patience = kPatience);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool Held() const { return handle_ >= 0; }
  bool TimedOut() const { return timed_out_; }

 private:
  long long handle_ = -1;
  bool timed_out_ = false;
};

// How often a lock held by another is tried again.
inline constexpr std::chrono::milliseconds kLockRetryInterval{20};

}  // namespace dwelvane

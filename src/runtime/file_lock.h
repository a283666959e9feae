#pragma once

#include <string>

namespace dwelvane {

// Holds an exclusive advisory lock on `path` (created when missing) for its lifetime, so
// that two running copies of the program take turns changing a shared file.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool Held() const { return handle_ >= 0; }

 private:
  long long handle_ = -1;
};

}  // namespace dwelvane

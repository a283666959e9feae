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

// Replaces the contents of `path` in one step: the bytes go to a temporary file in the
// same folder, are flushed to the disk, and the temporary file is renamed over `path`. A
// crash at any moment leaves either the old or the new contents, never a part. Callers
// serialise writers with a FileLock, since the temporary file's name is fixed.
bool ReplaceFileContents(const std::string& path, const std::string& bytes);

// Makes `folder` and the folders above it where they are missing.
bool MakeFolders(const std::string& folder);

}  // namespace dwelvane

#pragma once

#include <string>
#include <string_view>

namespace dwelvane::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  // The same under `parent` (say, a memory file system where writes cost no disk flush).
  explicit TempFolder(const std::string& parent);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's absolute path, without a trailing separator.
  const std::string& Path() const { return path_; }

  // Path(), a separator and `relative`, whose "/" become the platform's separator.
  std::string Join(std::string_view relative) const;

  // Writes `bytes` to the relative path, making the folders on the way.
  std::string Write(std::string_view relative, std::string_view bytes) const;

  void MakeFolder(std::string_view relative) const;

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace dwelvane::testing

#include <windows.h>

#include <filesystem>

#include "runtime/file_lock.h"
#include "runtime/platform_file.h"

namespace dwelvane {

FileLock::FileLock(const std::string& path) {
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return;
  }
  OVERLAPPED whole{};
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
    CloseHandle(file);
    return;
  }
  handle_ = reinterpret_cast<long long>(file);
}

FileLock::~FileLock() {
  if (handle_ >= 0) {
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
  }
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".new";
  const platform::FileHandle file = platform::CreateFileForWriting(temporary);
  if (file == platform::kNoFile) {
    return false;
  }
  const bool written = platform::WriteToFile(file, bytes.data(), bytes.size()) &&
                       FlushFileBuffers(reinterpret_cast<HANDLE>(file)) != 0;
  if (!platform::CloseFile(file) || !written ||
      !MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

bool MakeFolders(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return !error && std::filesystem::is_directory(folder, error);
}

}  // namespace dwelvane

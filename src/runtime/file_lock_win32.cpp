#include <windows.h>

#include "runtime/file_lock.h"
#include "runtime/text_conversion.h"

namespace dwelvane {

FileLock::FileLock(const std::string& path) {
  const HANDLE file = CreateFileW(ToWidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
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

}  // namespace dwelvane

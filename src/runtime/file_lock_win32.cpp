#include <windows.h>

#include "runtime/file_lock.h"
#include "runtime/text_conversion.h"

namespace dwelvane {

FileLock::FileLock(const std::string& path, std::chrono::milliseconds patience) {
  const HANDLE file = CreateFileW(ToWidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return;
  }
  const auto give_up = std::chrono::steady_clock::now() + patience;
  for (;;) {
    OVERLAPPED whole{};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                   &whole)) {
      handle_ = reinterpret_cast<long long>(file);
      return;
    }
    if (GetLastError() != ERROR_LOCK_VIOLATION) {
      break;
    }
    if (std::chrono::steady_clock::now() >= give_up) {
      timed_out_ = true;
      break;
    }
    Sleep(static_cast<DWORD>(kLockRetryInterval.count()));
  }
  CloseHandle(file);
}

FileLock::~FileLock() {
  if (handle_ >= 0) {
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
  }
}

}  // namespace dwelvane

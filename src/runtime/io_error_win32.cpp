#include <windows.h>

#include "runtime/io_error.h"
#include "runtime/text_conversion.h"

namespace dwelvane {
namespace {

// The system's message for `code` in UTF-8, in the user's language, without the line end
// and the full stop it closes with.
std::string SystemMessage(DWORD code) {
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  if (length == 0 || message == nullptr) {
    return "system error " + std::to_string(code);
  }
  std::wstring wide(message, length);
  LocalFree(message);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ' ||
                           wide.back() == L'.')) {
    wide.pop_back();
  }
  return FromWide(wide);
}

}  // namespace

bool IoError::Missing() const {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

IoCause SystemCause(int code) {
  switch (code) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return IoCause::kDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return IoCause::kInUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return IoCause::kNoSpace;
    default:
      return IoCause::kOther;
  }
}

std::string IoError::Describe() const {
  if (code == 0) {
    return {};
  }
  if (std::string reserved = DescribeReservedCode(code); !reserved.empty()) {
    return reserved;
  }
  return SystemMessage(static_cast<DWORD>(code));
}

}  // namespace dwelvane

#include <cerrno>
#include <system_error>

#include "runtime/io_error.h"

namespace dwelvane {

bool IoError::Missing() const {
  return code == ENOENT || code == ENOTDIR;
}

IoCause SystemCause(int code) {
  switch (code) {
    case EACCES:
    case EPERM:
    case EROFS:
      return IoCause::kDenied;
    case ENOSPC:
    case EDQUOT:
      return IoCause::kNoSpace;
    case EBUSY:
    case ETXTBSY:
      return IoCause::kInUse;
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
  return std::generic_category().message(code);
}

}  // namespace dwelvane

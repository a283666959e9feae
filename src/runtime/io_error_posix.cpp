#include <cerrno>
#include <system_error>

#include "runtime/io_error.h"

namespace dwelvane {

bool IoError::Missing() const {
  return code == ENOENT || code == ENOTDIR;
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

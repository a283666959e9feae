#include <system_error>

#include "runtime/io_error.h"

namespace dwelvane {

std::string IoError::Describe() const {
  if (code == 0) {
    return {};
  }
  if (code == kNotARegularFile) {
    return "Not a regular file";
  }
  if (code == kFileTooLarge) {
    return "File too large";
  }
  return std::generic_category().message(code);
}

}  // namespace dwelvane

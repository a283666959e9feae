#pragma once

#include <string_view>

#include "runtime/text_operations.h"

namespace dwelvane {

// A WME project folder is the one that holds the project's .wpr file; the ending may come
// in any letter case.
inline bool IsProjectFileName(std::string_view name) {
  return EndsWithLowered(name, ".wpr");
}

}  // namespace dwelvane

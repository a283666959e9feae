#include "runtime/text_conversion.h"

namespace dwelvane {

bool AppendInSystemCodePage(std::string& out, std::string_view name) {
  out.append(name);
  return true;
}

}  // namespace dwelvane

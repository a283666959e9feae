#include "dialogue/file_name_compare.h"

#include "runtime/keyed_hash.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

char FoldFileNameByte(char c) {
  return c == '\\' ? '/' : LowerAscii(c);
}

}  // namespace

std::size_t FileNameHash::operator()(std::string_view name) const {
  return static_cast<std::size_t>(KeyedHash(name, HashFold::kFileName));
}

bool FileNameEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldFileNameByte(a[i]) != FoldFileNameByte(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace dwelvane

// The .reg reader in both encodings: what it reads, written back and read again, gives the
// same keys and values.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "settings/reg_file_format.h"

using namespace dwelvane;

namespace {

bool Same(const std::vector<RegFileKey>& a, const std::vector<RegFileKey>& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k].path != b[k].path || a[k].values.size() != b[k].values.size()) {
      return false;
    }
    for (std::size_t v = 0; v < a[k].values.size(); ++v) {
      const RegFileValue& x = a[k].values[v];
      const RegFileValue& y = b[k].values[v];
      if (x.name != y.name || x.type != y.type || x.data != y.data) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = DecodeRegFileBytes(fuzz::AsText(data, size));
  static_cast<void>(IsRegFileText(text));
  const std::vector<RegFileKey> keys = ParseRegFile(text);
  const std::string written = FormatRegFile(keys);
  if (!IsRegFileText(written) || !Same(ParseRegFile(written), keys)) {
    __builtin_trap();
  }
  return 0;
}

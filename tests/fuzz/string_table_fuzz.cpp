// The string table against a reference map: IDs up to the first tab (or, without one, the
// first space), ASCII case ignored, the last of equal IDs wins, a UTF-8 byte order mark
// belongs to the file.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dialogue/string_table.h"
#include "fuzz_support.h"

using namespace dwelvane;

namespace {

std::string Folded(std::string_view id) {
  std::string folded(id);
  for (char& c : folded) {
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  }
  return folded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  const std::string& path = fuzz::ScratchPath("table");
  fuzz::WriteFile(path, text);

  std::map<std::string, std::string> reference;
  bool first = true;
  for (std::string_view line : fuzz::ReferenceLines(text)) {
    if (first && line.starts_with("\xEF\xBB\xBF")) {
      line.remove_prefix(3);
    }
    first = false;
    std::size_t separator = line.find('\t');
    if (separator == std::string_view::npos) {
      separator = line.find(' ');
    }
    const std::string_view id = line.substr(0, separator);
    if (!id.empty()) {
      reference[Folded(id)] = separator == std::string_view::npos
                                  ? std::string()
                                  : std::string(line.substr(separator + 1));
    }
  }

  StringTable table;
  if (table.Load(path).Failed()) {
    __builtin_trap();
  }
  // Every ID in one batch, as a translation looks them up.
  std::vector<std::pair<std::string, std::string>> wanted(reference.begin(), reference.end());
  table.LookupEach(
      wanted.size(), [&](std::size_t i) { return std::string_view(wanted[i].first); },
      [&](std::size_t i, std::string_view text) {
        if (text != wanted[i].second) {
          __builtin_trap();
        }
      });
  return 0;
}

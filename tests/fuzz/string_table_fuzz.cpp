// The string table finds the ID of every line that has a tab after one, in any ASCII letter
// case; a UTF-8 byte order mark belongs to the file, not to the first ID.
#include <cstdint>
#include <string>

#include "dialogue/string_table.h"
#include "fuzz_support.h"

using namespace dwelvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text = fuzz::AsText(data, size);
  const std::string& path = fuzz::ScratchPath("table");
  fuzz::WriteFile(path, text);
  StringTable table;
  if (table.Load(path).Failed()) {
    __builtin_trap();
  }
  if (text.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  for (const std::string_view line : fuzz::ReferenceLines(text)) {
    const std::string_view id = line.substr(0, line.find('\t'));
    std::string upper(id);
    for (char& c : upper) {
      c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    }
    if (id.size() < line.size() && !id.empty() && (!table.Has(id) || !table.Has(upper))) {
      __builtin_trap();
    }
  }
  return 0;
}

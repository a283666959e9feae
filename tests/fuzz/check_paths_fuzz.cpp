// The check's index of the project's files: every path added is found under itself, under
// its last name and in other letter case; any name may be asked for. The input: file paths
// one a line, an empty line, then the names to look up.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_check.h"
#include "fuzz_support.h"

using namespace dwelvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text = fuzz::AsText(data, size);
  const std::string_view files = text.substr(0, text.find("\n\n"));
  ProjectFileIndex index;
  std::vector<std::string_view> paths = fuzz::ReferenceLines(files);
  for (const std::string_view file : paths) {
    index.Add(file);
  }
  for (const std::string_view file : paths) {
    std::string upper(file);
    for (char& c : upper) {
      c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    }
    const std::string_view last = file.substr(file.find_last_of("/\\") + 1);
    if (!index.Contains(file) || !index.Contains(upper) ||
        (!last.empty() && !index.Contains(last))) {
      __builtin_trap();
    }
  }
  for (const std::string_view name : fuzz::ReferenceLines(text.substr(files.size()))) {
    static_cast<void>(index.Contains(name));
  }
  return 0;
}

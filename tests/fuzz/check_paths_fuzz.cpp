// The check's index of the project's files: a name the scripts give is found exactly when
// some file's path ends with it, letter case and the kind of slash aside, at a folder's
// start. The input: file paths one a line, an empty line, then the names to look up.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_check.h"
#include "fuzz_support.h"

using namespace dwelvane;

namespace {

char Fold(char c) {
  if (c == '\\') {
    return '/';
  }
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool EndsWithName(std::string_view path, std::string_view name) {
  if (path.size() < name.size()) {
    return false;
  }
  const std::size_t start = path.size() - name.size();
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (Fold(path[start + i]) != Fold(name[i])) {
      return false;
    }
  }
  return start == 0 || Fold(path[start - 1]) == '/';
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;) {
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  lines.push_back(text);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string_view> lines = SplitLines(fuzz::AsText(data, size));
  ProjectFileIndex index;
  std::vector<std::string_view> files;
  std::size_t at = 0;
  for (; at < lines.size() && !lines[at].empty(); ++at) {
    index.Add(lines[at]);
    files.push_back(lines[at]);
  }
  for (++at; at < lines.size(); ++at) {
    bool expected = false;
    for (const std::string_view file : files) {
      expected = expected || EndsWithName(file, lines[at]);
    }
    if (index.Contains(lines[at]) != expected) {
      __builtin_trap();
    }
  }
  for (const std::string_view file : files) {
    if (!index.Contains(file)) {
      __builtin_trap();
    }
  }
  return 0;
}

#include "script/character_aliases.h"

#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

// The line at the start of `rest`, without its line end; `rest` moves past it.
std::string_view TakeLine(std::string_view& rest) {
  const std::size_t end = rest.find('\n');
  std::string_view line = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  if (line.ends_with('\r')) {
    line.remove_suffix(1);
  }
  return line;
}

}  // namespace

std::vector<CharacterAlias> ReadCharacterAliases(std::string_view text,
                                                 std::vector<std::int64_t>& bad_lines) {
  std::vector<CharacterAlias> aliases;
  std::string_view rest = WithoutByteOrderMark(text);
  for (std::int64_t number = 1; !rest.empty(); ++number) {
    const std::string_view line = TrimBlanks(TakeLine(rest));
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const std::size_t split = line.find('=');
    const std::string_view speaker = TrimBlanks(line.substr(0, split));
    const std::string_view character =
        split == std::string_view::npos ? std::string_view() : TrimBlanks(line.substr(split + 1));
    if (speaker.empty() || character.empty()) {
      bad_lines.push_back(number);
      continue;
    }
    aliases.push_back({std::string(speaker), std::string(character), number});
  }
  return aliases;
}

}  // namespace dwelvane

// The character alias reader on any bytes: every alias is a trimmed speaker without "=" or a
// leading "#" and a trimmed character, both in the input; alias and bad lines are each
// counted once, in order, on lines the input has.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "script/character_aliases.h"

using namespace dwelvane;

namespace {

bool IsTrimmedPieceOf(const std::string& side, std::string_view text) {
  return !side.empty() && side.find('\n') == std::string::npos && side.front() != ' ' &&
         side.front() != '\t' && side.back() != ' ' && side.back() != '\t' &&
         text.find(side) != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<char> copy = fuzz::ExactCopy(fuzz::AsText(data, size));
  const std::string_view text(copy.data(), copy.size());
  std::vector<std::int64_t> bad_lines;
  const std::vector<CharacterAlias> aliases = ReadCharacterAliases(text, bad_lines);
  const auto lines = static_cast<std::int64_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  std::vector<std::int64_t> numbers = bad_lines;
  std::int64_t last = 0;
  for (const CharacterAlias& alias : aliases) {
    if (!IsTrimmedPieceOf(alias.speaker, text) || !IsTrimmedPieceOf(alias.character, text) ||
        alias.speaker.front() == '#' || alias.speaker.find('=') != std::string::npos ||
        alias.line <= last) {
      __builtin_trap();
    }
    last = alias.line;
    numbers.push_back(alias.line);
  }
  std::sort(numbers.begin(), numbers.end());
  if (!std::is_sorted(bad_lines.begin(), bad_lines.end()) ||
      std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end() ||
      (!numbers.empty() && (numbers.front() < 1 || numbers.back() > lines))) {
    __builtin_trap();
  }
  return 0;
}

// The character alias reader on any bytes, line by line against the plainest reading: an
// alias's line is blanks, its speaker, blanks, the line's first "=", blanks, its character,
// blanks; a bad line is no comment and lacks an "=" or a side; every other line is blank
// or a comment.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "runtime/text_encoding.h"
#include "script/character_aliases.h"

using namespace dwelvane;

namespace {

bool IsBlank(char byte) {
  return byte == ' ' || byte == '\t';
}

// `line` starts with blanks and `part`; the rest follows.
bool TakeBlanksAnd(std::string_view& line, std::string_view part) {
  while (!line.empty() && IsBlank(line.front())) {
    line.remove_prefix(1);
  }
  if (!line.starts_with(part)) {
    return false;
  }
  line.remove_prefix(part.size());
  return true;
}

bool IsAliasLine(std::string_view line, const CharacterAlias& alias) {
  return !alias.speaker.empty() && !alias.character.empty() && alias.speaker.front() != '#' &&
         !IsBlank(alias.speaker.back()) && !IsBlank(alias.character.back()) &&
         alias.speaker.find('=') == std::string::npos && TakeBlanksAnd(line, alias.speaker) &&
         TakeBlanksAnd(line, "=") && TakeBlanksAnd(line, alias.character) &&
         TakeBlanksAnd(line, "") && line.empty();
}

bool IsBlankOrComment(std::string_view line) {
  TakeBlanksAnd(line, "");
  return line.empty() || line.front() == '#';
}

bool IsBlankSide(std::string_view side) {
  TakeBlanksAnd(side, "");
  return side.empty();
}

bool IsBadLine(std::string_view line) {
  const std::size_t split = line.find('=');
  return !IsBlankOrComment(line) &&
         (split == std::string_view::npos || IsBlankSide(line.substr(0, split)) ||
          IsBlankSide(line.substr(split + 1)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<char> copy = fuzz::ExactCopy(fuzz::AsText(data, size));
  std::vector<std::int64_t> bad_lines;
  const std::vector<CharacterAlias> aliases =
      ReadCharacterAliases({copy.data(), copy.size()}, bad_lines);

  std::string_view rest = WithoutByteOrderMark({copy.data(), copy.size()});
  std::size_t next_alias = 0;
  std::size_t next_bad = 0;
  for (std::int64_t number = 1; !rest.empty(); ++number) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    if (next_alias < aliases.size() && aliases[next_alias].line == number) {
      if (!IsAliasLine(line, aliases[next_alias++])) {
        __builtin_trap();
      }
    } else if (next_bad < bad_lines.size() && bad_lines[next_bad] == number) {
      ++next_bad;
      if (!IsBadLine(line)) {
        __builtin_trap();
      }
    } else if (!IsBlankOrComment(line)) {
      __builtin_trap();
    }
  }
  if (next_alias != aliases.size() || next_bad != bad_lines.size()) {
    __builtin_trap();
  }
  return 0;
}

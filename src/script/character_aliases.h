#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

// One line of a team's Dwelvane_Characters.txt: the speaker as the scripts write it (any
// expression: `actor`, `Scene.GetNode("Gull")`) and the character it stands for.
struct CharacterAlias {
  std::string speaker;
  std::string character;
  std::int64_t line = 0;  // counted from 1
};

// The aliases of lines `SPEAKER = CHARACTER`, split at the first "=", both sides trimmed of
// blanks and tabs. Blank lines and lines whose first non-blank is "#" are passed over; a
// line without "=" or with an empty side is left out and its number appended to
// `bad_lines`. Lines end in LF or CR LF; a leading byte order mark is skipped.
std::vector<CharacterAlias> ReadCharacterAliases(std::string_view text,
                                                 std::vector<std::int64_t>& bad_lines);

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Byte-wise text operations. Texts are never decoded.
namespace dwelvane {

// A-Z and the bytes 0xC0 to 0xDF are shifted down by 0x20, as the Windows-1252 code page
// pairs its capital and small letters.
char LowerByte(char byte);

// A-Z to a-z; every other byte as it is.
char LowerAscii(char byte);

// Equal when they differ at most in the case of ASCII letters, as registry names and
// string table IDs compare.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// `text` as a terminal may show it: every control character (C0 but those in `kept`, DEL,
// and C1 as UTF-8 spells it) written as "\xNN" for each of its bytes, so that a name
// from a project can't move the cursor, recolour or retitle the terminal. A backslash
// stays as it is.
std::string EscapeControlCharacters(std::string_view text, std::string_view kept = {});

// A hash under which texts that EqualIgnoringAsciiCase calls equal are equal; all of its
// 64 bits are well mixed, and it is keyed per process (KeyedHash).
std::uint64_t HashIgnoringAsciiCase(std::string_view text);

// `text` without the spaces and tabs at its start and end.
std::string_view TrimBlanks(std::string_view text);

// For tables keyed by texts that EqualIgnoringAsciiCase compares (IDs, node names); both
// take any text as it is.
struct AsciiCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return static_cast<std::size_t>(HashIgnoringAsciiCase(text));
  }
};
struct AsciiCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    return EqualIgnoringAsciiCase(a, b);
  }
};

// True when the last bytes of `text`, lower-cased as LowerByte does, equal `ending`.
bool EndsWithLowered(std::string_view text, std::string_view ending);

// Signed decimal digits, without leading zeros or a plus sign.
std::string NumberToText(std::int64_t number);
void AppendNumberText(std::string& out, std::int64_t number);

// Leading spaces, an optional sign, then decimal digits; saturates at the 32-bit limits.
std::int32_t TextToNumber(std::string_view text);

// The path up to and including its last separator; empty without one. A leading double
// quote is skipped and the part ends before any further one.
std::string_view PathDirectoryPart(std::string_view path);

}  // namespace dwelvane

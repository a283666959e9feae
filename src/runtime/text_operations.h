#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Byte-wise text operations. Texts are never decoded; positions count from 1 and a
// search that finds nothing gives 0.
namespace dwelvane {

// Position of the first occurrence of `what` in `text` at or after `start`; 0 when none.
std::size_t TextFind(std::string_view text, std::string_view what, std::ptrdiff_t start = 1);

// A-Z and the bytes 0xC0 to 0xDF are shifted down by 0x20, as the Windows-1252 code page
// pairs its capital and small letters.
std::string TextLower(std::string_view text);
char LowerByte(char byte);

// A-Z to a-z; every other byte as it is.
char LowerAscii(char byte);

// Equal when they differ at most in the case of ASCII letters, as registry names and
// string table IDs compare.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// True when the last bytes of `text`, lower-cased as TextLower does, equal `ending`.
bool EndsWithLowered(std::string_view text, std::string_view ending);

std::string TextRemove(std::string_view text, std::string_view what);
std::string_view TextLeft(std::string_view text, std::ptrdiff_t count);
std::string_view TextRight(std::string_view text, std::ptrdiff_t count);
std::string_view TextMid(std::string_view text, std::ptrdiff_t start, std::ptrdiff_t count);
std::size_t TextLength(std::string_view text);

std::string NumberToText(std::int32_t number);
void AppendNumberText(std::string& out, std::int32_t number);

// Leading spaces, an optional sign, then decimal digits; saturates at the 32-bit limits.
std::int32_t TextToNumber(std::string_view text);

std::string_view PathDirectoryPart(std::string_view path);
std::string_view PathFilePart(std::string_view path);

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dwelvane {

// How a command writes its texts: the bytes as the sources hold them, or UTF-8, with or
// without a byte order mark at the start of the file.
enum class OutputEncoding { kBytes, kUtf8, kUtf8WithBom };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// `text` after its byte order mark, if it starts with one.
inline std::string_view WithoutByteOrderMark(std::string_view text) {
  return text.starts_with(kUtf8ByteOrderMark) ? text.substr(kUtf8ByteOrderMark.size()) : text;
}

// What a source's bytes are: plain ASCII (the same in both), UTF-8 with other characters,
// or anything else, taken as Windows-1252.
enum class SourceEncoding : std::uint8_t { kAscii, kUtf8, kWindows1252 };

// Follows the bytes of one source, in as many pieces as it comes in, and tells which
// encoding they are in.
class EncodingDetector {
 public:
  void Feed(std::string_view bytes);
  // Call after the last piece: a sequence cut off at the end is no UTF-8.
  SourceEncoding Result() const;

 private:
  int pending_ = 0;           // continuation bytes still due
  unsigned char low_ = 0x80;  // the range the next continuation byte must lie in
  unsigned char high_ = 0xBF;
  bool non_ascii_ = false;
  bool invalid_ = false;
};

SourceEncoding DetectEncoding(std::string_view bytes);

// The character a Windows-1252 byte stands for; the five unassigned ones stand for the
// C1 controls of the same number, as Windows maps them.
char32_t Windows1252Character(unsigned char byte);

// `text` from `source` in UTF-8: UTF-8 and ASCII as they are, Windows-1252 converted (its
// five unassigned bytes to U+0081, U+008D, U+008F, U+0090 and U+009D, as Windows does).
void AppendAsUtf8(std::string& out, std::string_view text, SourceEncoding source);

// `path` in UTF-8, each name between two separators ("/" and the system's own) from its own
// encoding: a folder named on Windows may lie in one named on Linux.
void AppendPathAsUtf8(std::string& out, std::string_view path);

}  // namespace dwelvane

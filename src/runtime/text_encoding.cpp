#include "runtime/text_encoding.h"

#include <algorithm>
#include <cstring>

#include "runtime/path_separator.h"
#include "runtime/utf8.h"

namespace dwelvane {
namespace {

// The characters of the bytes 0x80 to 0x9F; the rest of Windows-1252 is Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool HasHighBit(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return (word & 0x8080808080808080ULL) != 0;
}

// One test of the whole text, without a branch per byte, so that the compiler tests a
// vector register's width at once: scripts are mostly plain ASCII.
bool HoldsOnlyAscii(std::string_view bytes) {
  unsigned char seen = 0;
  for (const char c : bytes) {
    seen |= static_cast<unsigned char>(c);
  }
  return seen < 0x80;
}

}  // namespace

void EncodingDetector::Feed(std::string_view bytes) {
  if (pending_ == 0 && HoldsOnlyAscii(bytes)) {
    return;
  }
  const char* at = bytes.data();
  const char* const end = at + bytes.size();
  while (!invalid_ && at < end) {
    // Plain ASCII between sequences goes eight bytes at a time.
    if (pending_ == 0 && end - at >= 8 && !HasHighBit(at)) {
      at += 8;
      continue;
    }
    const auto byte = static_cast<unsigned char>(*at++);
    if (pending_ > 0) {
      invalid_ = byte < low_ || byte > high_;
      low_ = 0x80;
      high_ = 0xBF;
      --pending_;
      continue;
    }
    if (byte < 0x80) {
      continue;
    }
    non_ascii_ = true;
    // The first byte says how many follow and, for overlong forms, surrogates and code
    // points past U+10FFFF, narrows what the second may be.
    const Utf8Lead lead = ReadUtf8Lead(byte);
    pending_ = std::max(lead.continuations, 0);
    low_ = lead.low;
    high_ = lead.high;
    invalid_ = invalid_ || lead.continuations < 0;
  }
}

SourceEncoding EncodingDetector::Result() const {
  if (invalid_ || pending_ > 0) {
    return SourceEncoding::kWindows1252;
  }
  return non_ascii_ ? SourceEncoding::kUtf8 : SourceEncoding::kAscii;
}

SourceEncoding DetectEncoding(std::string_view bytes) {
  EncodingDetector detector;
  detector.Feed(bytes);
  return detector.Result();
}

char32_t Windows1252Character(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

void AppendAsUtf8(std::string& out, std::string_view text, SourceEncoding source) {
  if (source != SourceEncoding::kWindows1252) {
    out.append(text);
    return;
  }
  for (const char c : text) {
    AppendUtf8(out, Windows1252Character(static_cast<unsigned char>(c)));
  }
}

void AppendPathAsUtf8(std::string& out, std::string_view path) {
  constexpr char kSeparators[] = {'/', kPathSeparator};
  for (;;) {
    const std::size_t end =
        std::min(path.find_first_of(std::string_view(kSeparators, 2)), path.size());
    const std::string_view name = path.substr(0, end);
    AppendAsUtf8(out, name, DetectEncoding(name));
    if (end == path.size()) {
      return;
    }
    out.push_back(path[end]);
    path.remove_prefix(end + 1);
  }
}

}  // namespace dwelvane

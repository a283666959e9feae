#include "runtime/text_operations.h"

#include <charconv>
#include <limits>

#include "runtime/keyed_hash.h"
#include "runtime/path_separator.h"

namespace dwelvane {

char LowerByte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  const bool capital = (value >= 0x41 && value <= 0x5A) || (value >= 0xC0 && value <= 0xDF);
  return capital ? static_cast<char>(value + 0x20) : byte;
}

char LowerAscii(char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + ('a' - 'A')) : byte;
}

std::string EscapeControlCharacters(std::string_view text, std::string_view kept) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(text.size());
  const auto escape = [&](unsigned char byte) {
    shown.append("\\x").push_back(kDigits[byte >> 4]);
    shown.push_back(kDigits[byte & 0x0F]);
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool c0 = (byte < 0x20 && kept.find(text[i]) == std::string_view::npos) || byte == 0x7F;
    const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (c1) {
      escape(byte);
      escape(static_cast<unsigned char>(text[++i]));
    } else if (c0) {
      escape(byte);
    } else {
      shown.push_back(text[i]);
    }
  }
  return shown;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) {
      return false;
    }
  }
  return true;
}

std::uint64_t HashIgnoringAsciiCase(std::string_view text) {
  return KeyedHash(text, HashFold::kAsciiCase);
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EndsWithLowered(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) {
    return false;
  }
  const std::string_view tail = text.substr(text.size() - ending.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (LowerByte(tail[i]) != ending[i]) {
      return false;
    }
  }
  return true;
}

void AppendNumberText(std::string& out, std::int64_t number) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, result.ptr);
}

std::string NumberToText(std::int64_t number) {
  std::string text;
  AppendNumberText(text, number);
  return text;
}

std::int32_t TextToNumber(std::string_view text) {
  std::size_t position = 0;
  while (position < text.size() && text[position] == ' ') {
    ++position;
  }
  bool negative = false;
  if (position < text.size() && (text[position] == '-' || text[position] == '+')) {
    negative = text[position] == '-';
    ++position;
  }
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
    if (magnitude < kLimit) {
      magnitude = magnitude * 10 + (text[position] - '0');
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

namespace {

// Both path parts skip one leading double quote and end before the first double quote
// they hold, so that a quoted path taken from a command line gives its bare parts.
std::string_view SkipLeadingQuote(std::string_view path) {
  if (!path.empty() && path.front() == '"') {
    path.remove_prefix(1);
  }
  return path;
}

std::string_view CutAtQuote(std::string_view part) {
  return part.substr(0, part.find('"'));
}

}  // namespace

std::string_view PathDirectoryPart(std::string_view path) {
  const std::string_view bare = SkipLeadingQuote(path);
  const std::size_t last = bare.rfind(kPathSeparator);
  return last == std::string_view::npos ? std::string_view{} : CutAtQuote(bare.substr(0, last + 1));
}

}  // namespace dwelvane

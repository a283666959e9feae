#include "runtime/text_operations.h"

#include <charconv>
#include <limits>

#include "runtime/path_separator.h"

namespace dwelvane {

std::size_t TextFind(std::string_view text, std::string_view what, std::ptrdiff_t start) {
  const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (from > text.size()) {
    return 0;
  }
  const std::size_t found = text.find(what, from);
  return found == std::string_view::npos ? 0 : found + 1;
}

char LowerByte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  const bool capital = (value >= 0x41 && value <= 0x5A) || (value >= 0xC0 && value <= 0xDF);
  return capital ? static_cast<char>(value + 0x20) : byte;
}

char LowerAscii(char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + ('a' - 'A')) : byte;
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

std::string TextLower(std::string_view text) {
  std::string lowered(text);
  for (char& byte : lowered) {
    byte = LowerByte(byte);
  }
  return lowered;
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

std::string TextRemove(std::string_view text, std::string_view what) {
  if (what.empty()) {
    return std::string(text);
  }
  std::string kept;
  kept.reserve(text.size());
  std::size_t position = 0;
  while (position < text.size()) {
    if (text.compare(position, what.size(), what) == 0) {
      position += what.size();
    } else {
      kept.push_back(text[position++]);
    }
  }
  return kept;
}

std::string_view TextLeft(std::string_view text, std::ptrdiff_t count) {
  if (count <= 0) {
    return {};
  }
  return text.substr(0, static_cast<std::size_t>(count));
}

std::string_view TextRight(std::string_view text, std::ptrdiff_t count) {
  if (count <= 0) {
    return {};
  }
  const auto wanted = static_cast<std::size_t>(count);
  return wanted >= text.size() ? text : text.substr(text.size() - wanted);
}

std::string_view TextMid(std::string_view text, std::ptrdiff_t start, std::ptrdiff_t count) {
  const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (count <= 0 || from >= text.size()) {
    return {};
  }
  return text.substr(from, static_cast<std::size_t>(count));
}

std::size_t TextLength(std::string_view text) {
  return text.size();
}

void AppendNumberText(std::string& out, std::int32_t number) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, result.ptr);
}

std::string NumberToText(std::int32_t number) {
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

std::string_view PathFilePart(std::string_view path) {
  const std::string_view bare = SkipLeadingQuote(path);
  const std::size_t last = bare.rfind(kPathSeparator);
  return CutAtQuote(last == std::string_view::npos ? bare : bare.substr(last + 1));
}

}  // namespace dwelvane

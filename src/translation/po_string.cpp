#include "translation/po_string.h"

#include <cstddef>

namespace dwelvane {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

int DigitValue(char c, int base) {
  const int value = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : 99;
  return value < base ? value : -1;
}

// The byte of a numeric escape starting at text[i] (after "\" or "\x"), `i` moved past it.
int ReadNumber(std::string_view text, std::size_t& i, int base, std::size_t most_digits) {
  int value = 0;
  std::size_t digits = 0;
  for (; i < text.size() && digits < most_digits; ++i, ++digits) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) {
      break;
    }
    value = value * base + digit;
    if (value > 0xFF) {
      return -1;
    }
  }
  return digits == 0 ? -1 : value;
}

char SimpleEscape(char c) {
  switch (c) {
    case 'n':
      return '\n';
    case 't':
      return '\t';
    case 'r':
      return '\r';
    case 'a':
      return '\a';
    case 'b':
      return '\b';
    case 'f':
      return '\f';
    case 'v':
      return '\v';
    case '\\':
    case '"':
    case '?':
    case '\'':
      return c;
    default:
      return '\0';
  }
}

// Decodes the escape whose backslash is at text[i - 1]; `i` ends after it.
bool AppendEscape(std::string_view text, std::size_t& i, std::string& out, bool& high_byte) {
  if (i == text.size()) {
    return false;
  }
  if (const char simple = SimpleEscape(text[i]); simple != '\0') {
    out += simple;
    ++i;
    return true;
  }
  const bool hex = text[i] == 'x';
  i += hex ? 1 : 0;
  const int value = hex ? ReadNumber(text, i, 16, text.size()) : ReadNumber(text, i, 8, 3);
  if (value < 0) {
    return false;
  }
  high_byte = high_byte || value >= 0x80;
  out += static_cast<char>(value);
  return true;
}

// Decodes the string whose opening quote is at text[i - 1]; `i` ends after its closing quote.
const char* AppendOneString(std::string_view text, std::size_t& i, std::string& out,
                            bool& high_byte) {
  while (true) {
    const std::size_t special = text.find_first_of("\"\\", i);
    if (special == std::string_view::npos) {
      return "unterminated string";
    }
    out.append(text, i, special - i);
    i = special + 1;
    if (text[special] == '"') {
      return nullptr;
    }
    if (!AppendEscape(text, i, out, high_byte)) {
      return "invalid escape sequence";
    }
  }
}

}  // namespace

const char* AppendPoStrings(std::string_view text, std::string& out, bool& high_byte) {
  std::size_t i = 0;
  bool any = false;
  while (true) {
    while (i < text.size() && IsBlank(text[i])) {
      ++i;
    }
    if (i == text.size()) {
      return any ? nullptr : "a quoted string is missing";
    }
    if (text[i] != '"') {
      return "unexpected text where a quoted string belongs";
    }
    ++i;
    if (const char* failure = AppendOneString(text, i, out, high_byte)) {
      return failure;
    }
    any = true;
  }
}

void AppendPoEscaped(std::string& out, std::string_view text) {
  static constexpr char kOctal[] = "01234567";
  std::size_t plain = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\') {
      continue;
    }
    out.append(text, plain, i - plain);
    plain = i + 1;
    out += '\\';
    switch (c) {
      case '"':
      case '\\':
        out += static_cast<char>(c);
        break;
      case '\n':
        out += 'n';
        break;
      case '\t':
        out += 't';
        break;
      case '\r':
        out += 'r';
        break;
      case '\a':
        out += 'a';
        break;
      case '\b':
        out += 'b';
        break;
      case '\f':
        out += 'f';
        break;
      case '\v':
        out += 'v';
        break;
      default:
        out += {kOctal[c >> 6], kOctal[(c >> 3) & 7], kOctal[c & 7]};
    }
  }
  out.append(text, plain);
}

}  // namespace dwelvane

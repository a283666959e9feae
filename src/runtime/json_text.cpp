#include "runtime/json_text.h"

#include <cstddef>

#include "runtime/utf8.h"

namespace dwelvane {
namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at the start of `text`, or 0 when there is none
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t ValidSequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  }
  if (length == 0 || text.size() < length) {
    return 0;
  }
  const auto second = static_cast<unsigned char>(text[1]);
  if (second < low || second > high) {
    return 0;
  }
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[i]))) {
      return 0;
    }
  }
  return length;
}

void AppendControlEscape(std::string& out, unsigned char byte) {
  constexpr std::string_view kHexDigits = "0123456789abcdef";
  out.append("\\u00");
  out.push_back(kHexDigits[byte >> 4]);
  out.push_back(kHexDigits[byte & 0xF]);
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out.push_back('"');
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text[0]);
    std::size_t taken = 1;
    if (byte == '"' || byte == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(byte));
    } else if (byte < 0x20) {
      AppendControlEscape(out, byte);
    } else if (byte < 0x80) {
      out.push_back(static_cast<char>(byte));
    } else if (const std::size_t length = ValidSequenceLength(text); length > 0) {
      out.append(text.substr(0, length));
      taken = length;
    } else {
      AppendUtf8(out, U'\uFFFD');
    }
    text.remove_prefix(taken);
  }
  out.push_back('"');
}

}  // namespace dwelvane

#include "runtime/json_text.h"

#include <cstddef>

#include "runtime/utf8.h"

namespace dwelvane {
namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at the start of `text`, or 0 when there is none.
std::size_t ValidSequenceLength(std::string_view text) {
  const Utf8Lead lead = ReadUtf8Lead(static_cast<unsigned char>(text[0]));
  const std::size_t length = static_cast<std::size_t>(lead.continuations + 1);
  if (lead.continuations < 1 || text.size() < length) {
    return 0;
  }
  const auto second = static_cast<unsigned char>(text[1]);
  if (second < lead.low || second > lead.high) {
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

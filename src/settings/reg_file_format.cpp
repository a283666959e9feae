#include "settings/reg_file_format.h"

#include <charconv>
#include <optional>

#include "runtime/text_encoding.h"
#include "runtime/utf8.h"
#include "settings/registry_store.h"

namespace dwelvane {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kUnicodeHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf16ByteOrderMark = "\xFF\xFE";

// UTF-16LE code units to UTF-8; a surrogate without its partner becomes U+FFFD, and an odd
// last byte is dropped.
std::string Utf16LeToUtf8(std::string_view bytes) {
  constexpr char32_t kReplacement = 0xFFFD;
  const auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  };
  std::string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) < 0xE000) {
      AppendUtf8(text, 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00));
      i += 2;
    } else {
      AppendUtf8(text, code >= 0xD800 && code < 0xE000 ? kReplacement : code);
    }
  }
  return text;
}
constexpr std::string_view kLineEnd = "\r\n";

// Reads a quoted text from the start of `text`; `text` then starts after its closing
// quote. Nothing when there is no closing quote.
std::optional<std::string> TakeQuoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') {
    return std::nullopt;
  }
  std::string result;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '"') {
      text.remove_prefix(i + 1);
      return result;
    }
    if (text[i] == '\\' && i + 1 < text.size()) {
      ++i;
    }
    result.push_back(text[i]);
  }
  return std::nullopt;
}

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
  std::uint32_t value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::string> ParseByteList(std::string_view list) {
  std::string bytes;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    std::string_view item = list.substr(0, comma);
    while (!item.empty() && (item.front() == ' ' || item.front() == '\\')) {
      item.remove_prefix(1);
    }
    const auto byte = ParseHex(item);
    if (!byte || *byte > 0xFF || item.size() > 2) {
      return std::nullopt;
    }
    bytes.push_back(static_cast<char>(*byte));
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
  }
  return bytes;
}

std::optional<RegFileValue> ParseData(std::string name, std::string_view data) {
  RegFileValue value{std::move(name), 0, {}};
  if (const auto text = TakeQuoted(data); text && data.empty()) {
    value.type = kRegistryString;
    value.data = *text + '\0';
    return value;
  }
  if (data.starts_with("dword:")) {
    const auto number = ParseHex(data.substr(6));
    if (!number || data.size() > 14) {
      return std::nullopt;
    }
    value.type = kRegistryNumber;
    for (int shift = 0; shift < 32; shift += 8) {
      value.data.push_back(static_cast<char>((*number >> shift) & 0xFF));
    }
    return value;
  }
  std::optional<std::uint32_t> type;
  if (data.starts_with("hex:")) {
    type = 3;
    data.remove_prefix(4);
  } else if (data.starts_with("hex(")) {
    const std::size_t close = data.find("):");
    type = close == std::string_view::npos ? std::nullopt : ParseHex(data.substr(4, close - 4));
    data.remove_prefix(close == std::string_view::npos ? data.size() : close + 2);
  }
  const auto bytes = type ? ParseByteList(data) : std::nullopt;
  if (!bytes) {
    return std::nullopt;
  }
  value.type = *type;
  value.data = *bytes;
  return value;
}

std::optional<RegFileValue> ParseValueLine(std::string_view line) {
  std::string name;
  if (line.starts_with("@=")) {
    line.remove_prefix(1);
  } else if (const auto quoted = TakeQuoted(line)) {
    name = *quoted;
  } else {
    return std::nullopt;
  }
  if (line.empty() || line.front() != '=') {
    return std::nullopt;
  }
  return ParseData(std::move(name), line.substr(1));
}

std::string_view TrimLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
    line.remove_suffix(1);
  }
  return line;
}

void AppendQuoted(std::string& out, std::string_view text) {
  out.push_back('"');
  for (const char c : text) {
    if (c == '\\' || c == '"') {
      out.push_back('\\');
    }
    out.push_back(c);
  }
  out.push_back('"');
}

bool FitsStringForm(const RegFileValue& value) {
  if (value.type != kRegistryString || value.data.empty() || value.data.back() != '\0') {
    return false;
  }
  const std::string_view text(value.data.data(), value.data.size() - 1);
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string ToHex(std::uint32_t number) {
  char digits[8];
  const auto result = std::to_chars(digits, digits + sizeof digits, number, 16);
  return std::string(digits, result.ptr);
}

void AppendData(std::string& out, const RegFileValue& value) {
  constexpr char kDigits[] = "0123456789abcdef";
  if (FitsStringForm(value)) {
    AppendQuoted(out, std::string_view(value.data).substr(0, value.data.size() - 1));
    return;
  }
  if (value.type == kRegistryNumber && value.data.size() == 4) {
    out.append("dword:");
    for (int i = 3; i >= 0; --i) {
      const auto byte = static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
      out.push_back(kDigits[byte >> 4]);
      out.push_back(kDigits[byte & 0xF]);
    }
    return;
  }
  out.append(value.type == 3 ? std::string("hex:") : "hex(" + ToHex(value.type) + "):");
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    const auto byte = static_cast<unsigned char>(value.data[i]);
    if (i > 0) {
      out.push_back(',');
    }
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 0xF]);
  }
}

}  // namespace

bool IsUtf16RegFile(std::string_view bytes) {
  return bytes.starts_with(kUtf16ByteOrderMark);
}

std::string DecodeRegFileBytes(std::string_view bytes) {
  if (IsUtf16RegFile(bytes)) {
    return Utf16LeToUtf8(bytes.substr(kUtf16ByteOrderMark.size()));
  }
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
  }
  return std::string(bytes);
}

bool IsRegFileText(std::string_view text) {
  const std::string_view first_line = TrimLineEnd(text.substr(0, text.find_first_of("\r\n")));
  return text.empty() || first_line == kHeader || first_line == kUnicodeHeader;
}

std::vector<RegFileKey> ParseRegFile(std::string_view text) {
  std::vector<RegFileKey> keys;
  std::string pending;  // a byte list continued over several lines
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    std::string_view line = TrimLineEnd(text.substr(0, end));
    const bool crlf = end != std::string_view::npos && text.substr(end).starts_with("\r\n");
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + (crlf ? 2 : 1));
    if (!pending.empty() || (line.ends_with('\\') && line.find("=hex") != std::string_view::npos)) {
      pending.append(line);
      if (line.ends_with('\\')) {
        continue;
      }
      line = pending;
    }
    if (line.starts_with('[') && line.ends_with(']') && !line.starts_with("[-")) {
      keys.push_back({std::string(line.substr(1, line.size() - 2)), {}});
    } else if (!keys.empty()) {
      if (auto value = ParseValueLine(line)) {
        keys.back().values.push_back(std::move(*value));
      }
    }
    pending.clear();
  }
  return keys;
}

std::string FormatRegFile(const std::vector<RegFileKey>& keys) {
  std::string out(kHeader);
  out.append(kLineEnd);
  for (const RegFileKey& key : keys) {
    out.append(kLineEnd);
    out.append("[").append(key.path).append("]").append(kLineEnd);
    for (const RegFileValue& value : key.values) {
      if (value.name.empty()) {
        out.push_back('@');
      } else {
        AppendQuoted(out, value.name);
      }
      out.push_back('=');
      AppendData(out, value);
      out.append(kLineEnd);
    }
  }
  out.append(kLineEnd);
  return out;
}

}  // namespace dwelvane

#include "runtime/json_reader.h"

#include <charconv>
#include <cstdint>

namespace dwelvane {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

class JsonParser {
 public:
  JsonParser(std::string_view bytes, JsonError& error) : bytes_(bytes), error_(error) {}

  std::optional<JsonValue> ReadDocument() {
    JsonValue value;
    if (!ReadValue(value, 0)) {
      return std::nullopt;
    }
    SkipBlanks();
    if (at_ != bytes_.size()) {
      Fail("text after the value");
      return std::nullopt;
    }
    return value;
  }

 private:
  // Keeps the first reason only: the callers' failures follow from it.
  bool Fail(std::string message) {
    if (error_.message.empty()) {
      error_ = {at_, std::move(message)};
    }
    return false;
  }

  void SkipBlanks() {
    while (at_ < bytes_.size() && (bytes_[at_] == ' ' || bytes_[at_] == '\t' ||
                                   bytes_[at_] == '\n' || bytes_[at_] == '\r')) {
      ++at_;
    }
  }

  bool Take(char c) {
    SkipBlanks();
    if (at_ < bytes_.size() && bytes_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  bool TakeWord(std::string_view word) {
    if (bytes_.substr(at_, word.size()) != word) {
      return Fail("unknown word");
    }
    at_ += word.size();
    return true;
  }

  bool ReadValue(JsonValue& value, int depth) {
    SkipBlanks();
    if (at_ == bytes_.size()) {
      return Fail("a value is missing");
    }
    switch (bytes_[at_]) {
      case '{':
        return ReadObject(value, depth + 1);
      case '[':
        return ReadArray(value, depth + 1);
      case '"':
        value.type = JsonValue::Type::kString;
        return ReadString(value.text);
      case 't':
        value.type = JsonValue::Type::kBoolean;
        value.boolean = true;
        return TakeWord("true");
      case 'f':
        value.type = JsonValue::Type::kBoolean;
        return TakeWord("false");
      case 'n':
        return TakeWord("null");
      default:
        return ReadNumber(value);
    }
  }

  bool ReadObject(JsonValue& value, int depth) {
    if (depth > kJsonDepthLimit) {
      return Fail("nested too deeply");
    }
    ++at_;
    value.type = JsonValue::Type::kObject;
    if (Take('}')) {
      return true;
    }
    do {
      SkipBlanks();
      if (at_ == bytes_.size() || bytes_[at_] != '"') {
        return Fail("a member name is missing");
      }
      if (!ReadString(value.keys.emplace_back())) {
        return false;
      }
      if (!Take(':')) {
        return Fail("':' is missing");
      }
      if (!ReadValue(value.items.emplace_back(), depth)) {
        return false;
      }
    } while (Take(','));
    return Take('}') || Fail("',' or '}' is missing");
  }

  bool ReadArray(JsonValue& value, int depth) {
    if (depth > kJsonDepthLimit) {
      return Fail("nested too deeply");
    }
    ++at_;
    value.type = JsonValue::Type::kArray;
    if (Take(']')) {
      return true;
    }
    do {
      if (!ReadValue(value.items.emplace_back(), depth)) {
        return false;
      }
    } while (Take(','));
    return Take(']') || Fail("',' or ']' is missing");
  }

  // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
  bool ReadNumber(JsonValue& value) {
    const std::size_t start = at_;
    const auto digits = [&] {
      const std::size_t first = at_;
      while (at_ < bytes_.size() && IsDigit(bytes_[at_])) {
        ++at_;
      }
      return at_ > first;
    };
    at_ += bytes_[at_] == '-' ? 1 : 0;
    if (at_ < bytes_.size() && bytes_[at_] == '0') {
      ++at_;
    } else if (!digits()) {
      return Fail("no value starts so");
    }
    if (at_ < bytes_.size() && bytes_[at_] == '.' && (++at_, !digits())) {
      return Fail("digits are missing after '.'");
    }
    if (at_ < bytes_.size() && (bytes_[at_] == 'e' || bytes_[at_] == 'E')) {
      ++at_;
      at_ += at_ < bytes_.size() && (bytes_[at_] == '+' || bytes_[at_] == '-') ? 1 : 0;
      if (!digits()) {
        return Fail("digits are missing in the exponent");
      }
    }
    value.type = JsonValue::Type::kNumber;
    // Out of a double's range the number stays 0; nothing here reads such numbers.
    static_cast<void>(std::from_chars(bytes_.data() + start, bytes_.data() + at_, value.number));
    return true;
  }

  std::optional<std::uint32_t> ReadHex4() {
    std::uint32_t code = 0;
    for (int i = 0; i < 4; ++i, ++at_) {
      const char c = at_ < bytes_.size() ? bytes_[at_] : '\0';
      const int digit = IsDigit(c)             ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) {
        Fail("\\u needs four hexadecimal digits");
        return std::nullopt;
      }
      code = code * 16 + static_cast<std::uint32_t>(digit);
    }
    return code;
  }

  // After "\u": one code point, a high surrogate only with the low one's "\uXXXX" after it.
  bool ReadCodePoint(std::string& out) {
    const auto code = ReadHex4();
    if (!code) {
      return false;
    }
    if (*code >= 0xDC00 && *code <= 0xDFFF) {
      return Fail("a low surrogate without a high one");
    }
    if (*code < 0xD800 || *code > 0xDBFF) {
      AppendUtf8(out, *code);
      return true;
    }
    if (bytes_.substr(at_, 2) != "\\u") {
      return Fail("a high surrogate without a low one");
    }
    at_ += 2;
    const auto low = ReadHex4();
    if (!low) {
      return false;
    }
    if (*low < 0xDC00 || *low > 0xDFFF) {
      return Fail("a high surrogate without a low one");
    }
    AppendUtf8(out, 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00));
    return true;
  }

  bool ReadEscape(std::string& out) {
    if (at_ == bytes_.size()) {
      return Fail("the string does not end");
    }
    constexpr std::string_view kEscaped = "\"\\/bfnrt";
    constexpr std::string_view kMeant = "\"\\/\b\f\n\r\t";
    const char c = bytes_[at_++];
    if (c == 'u') {
      return ReadCodePoint(out);
    }
    const std::size_t which = kEscaped.find(c);
    if (which == std::string_view::npos) {
      --at_;
      return Fail("no such escape");
    }
    out += kMeant[which];
    return true;
  }

  bool ReadString(std::string& out) {
    ++at_;
    while (at_ < bytes_.size()) {
      const char c = bytes_[at_];
      if (c == '"') {
        ++at_;
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) {
        return Fail("a control character in a string");
      }
      ++at_;
      if (c != '\\') {
        out += c;
      } else if (!ReadEscape(out)) {
        return false;
      }
    }
    return Fail("the string does not end");
  }

  std::string_view bytes_;
  JsonError& error_;
  std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view key) const {
  for (std::size_t i = 0; type == Type::kObject && i < keys.size(); ++i) {
    if (keys[i] == key) {
      return &items[i];
    }
  }
  return nullptr;
}

std::optional<JsonValue> ReadJson(std::string_view bytes, JsonError& error) {
  error = {};
  return JsonParser(bytes, error).ReadDocument();
}

}  // namespace dwelvane

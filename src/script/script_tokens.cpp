#include "script/script_tokens.h"

#include <array>

namespace dwelvane {
namespace {

constexpr std::array<bool, 256> kNameBytes = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c) {
    table[static_cast<std::size_t>(c)] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                         (c >= '0' && c <= '9') || c == '_' || c >= 0x80;
  }
  return table;
}();

bool IsNameByte(char c) {
  return kNameBytes[static_cast<unsigned char>(c)];
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool EndsLine(char c) {
  return c == '\n' || c == '\r' || c == '\0';
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kIncludeWord = "#include";

}  // namespace

void ScriptTokens::Read(std::string_view source) {
  source_ = source;
  tokens_.clear();
  decoded_.clear();
  line_ = 1;
  std::size_t at = source.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  for (;;) {
    at = SkipBlanksAndComments(at);
    if (at >= source_.size()) {
      return;
    }
    const char c = source_[at];
    if (c == '"') {
      at = ReadLiteral(at);
      continue;
    }
    Token& token = tokens_.emplace_back();
    token.begin = at;
    token.line = line_;
    if (IsNameByte(c)) {
      token.kind = IsDigit(c) ? TokenKind::kNumber : TokenKind::kName;
      while (at < source_.size() && (IsNameByte(source_[at]) ||
                                     (token.kind == TokenKind::kNumber && source_[at] == '.'))) {
        ++at;
      }
    } else if (source_.substr(at).starts_with(kIncludeWord)) {
      token.kind = TokenKind::kInclude;
      at += kIncludeWord.size();
    } else {
      token.kind = TokenKind::kPunct;
      token.punct = c;
      ++at;
    }
    token.end = at;
    token.text_begin = token.begin;
    token.text_size = token.end - token.begin;
  }
}

// A CR LF is one line end.
std::size_t ScriptTokens::CountLineEnd(std::size_t at) {
  ++line_;
  return source_[at] == '\r' && at + 1 < source_.size() && source_[at + 1] == '\n' ? at + 2
                                                                                   : at + 1;
}

std::size_t ScriptTokens::SkipBlanksAndComments(std::size_t at) {
  while (at < source_.size()) {
    const char c = source_[at];
    if (EndsLine(c)) {
      at = CountLineEnd(at);
    } else if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
      ++at;
    } else if (c == '/' && at + 1 < source_.size() && source_[at + 1] == '/') {
      while (at < source_.size() && !EndsLine(source_[at])) {
        ++at;
      }
    } else if (c == '/' && at + 1 < source_.size() && source_[at + 1] == '*') {
      at = SkipNestedComment(at + 2);
    } else {
      break;
    }
  }
  return at;
}

// `at` is just after the opening "/*"; an unclosed comment runs to the end of the script.
std::size_t ScriptTokens::SkipNestedComment(std::size_t at) {
  std::size_t depth = 1;
  while (at < source_.size()) {
    const char c = source_[at];
    const char next = at + 1 < source_.size() ? source_[at + 1] : '\0';
    if (c == '*' && next == '/') {
      at += 2;
      if (--depth == 0) {
        return at;
      }
    } else if (c == '/' && next == '*') {
      at += 2;
      ++depth;
    } else if (EndsLine(c)) {
      at = CountLineEnd(at);
    } else {
      ++at;
    }
  }
  return at;
}

// `at` is on the opening quote. The text stays a view into the source until the first
// escape that changes it; from there on it is copied into the store.
std::size_t ScriptTokens::ReadLiteral(std::size_t at) {
  Token& token = tokens_.emplace_back();
  token.begin = at;
  token.line = line_;
  token.kind = TokenKind::kText;
  const std::size_t first = at + 1;
  std::size_t copy_from = first;  // the bytes from here on are not yet in the store
  for (at = first; at < source_.size(); ++at) {
    const char c = source_[at];
    if (c == '"') {
      break;
    }
    if (EndsLine(c)) {
      token.kind = TokenKind::kBroken;
      token.end = at;
      token.text_begin = first;
      token.text_size = at - first;
      token.decoded = false;
      return at;
    }
    if (c != '~' || at + 1 >= source_.size()) {
      continue;
    }
    const char escaped = source_[at + 1];
    if (escaped != '"' && escaped != 'n' && escaped != '~') {
      continue;
    }
    if (!token.decoded) {
      token.decoded = true;
      token.text_begin = decoded_.size();
    }
    decoded_.append(source_.substr(copy_from, at - copy_from));
    decoded_.push_back(escaped == 'n' ? '\n' : escaped);
    ++at;
    copy_from = at + 1;
  }
  if (at >= source_.size()) {
    token.kind = TokenKind::kBroken;
  }
  if (token.decoded) {
    decoded_.append(source_.substr(copy_from, at - copy_from));
    token.text_size = decoded_.size() - token.text_begin;
  } else {
    token.text_begin = first;
    token.text_size = at - first;
  }
  if (token.kind == TokenKind::kText && token.text_size > kLongestLiteral) {
    token.kind = TokenKind::kTooLong;
  }
  token.end = at < source_.size() ? at + 1 : at;
  return token.end;
}

}  // namespace dwelvane

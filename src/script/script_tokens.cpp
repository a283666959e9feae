#include "script/script_tokens.h"

#include <array>

#include "runtime/text_encoding.h"

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

constexpr std::string_view kIncludeWord = "#include";

}  // namespace

void ScriptTokens::Start() {
  tokens_.clear();
  store_.clear();
  line_ = 1;
  comment_depth_ = 0;
  in_line_comment_ = false;
  at_start_ = true;
}

void ScriptTokens::Read(std::string_view run, bool piece) {
  if (at_start_) {
    run = WithoutByteOrderMark(run);
    at_start_ = false;
  }
  std::size_t at = comment_depth_ > 0 ? SkipNestedComment(run, 0) : 0;
  if (in_line_comment_) {
    while (at < run.size() && !EndsLine(run[at])) {
      ++at;
    }
    in_line_comment_ = at == run.size() && piece;
  }
  for (;;) {
    at = SkipBlanksAndComments(run, at);
    if (at >= run.size()) {
      break;
    }
    const char c = run[at];
    if (c == '"') {
      at = ReadLiteral(run, at);
    } else if (IsNameByte(c)) {
      at = ReadWord(run, at);
    } else if (run.substr(at).starts_with(kIncludeWord)) {
      AddToken(TokenKind::kInclude, kIncludeWord);
      at += kIncludeWord.size();
    } else {
      AddToken(TokenKind::kPunct, run.substr(at, 1)).punct = c;
      ++at;
    }
  }
  in_line_comment_ = in_line_comment_ && piece;
}

void ScriptTokens::DropFront(std::size_t count) {
  if (count == 0) {
    return;
  }
  const std::size_t kept_from = count < tokens_.size() ? tokens_[count].bytes_begin : store_.size();
  tokens_.erase(tokens_.begin(), tokens_.begin() + static_cast<std::ptrdiff_t>(count));
  store_.erase(0, kept_from);
  for (Token& token : tokens_) {
    token.bytes_begin -= kept_from;
  }
}

Token& ScriptTokens::AddToken(TokenKind kind, std::string_view bytes) {
  Token& token = tokens_.emplace_back();
  token.kind = kind;
  token.line = line_;
  token.bytes_begin = store_.size();
  token.bytes_size = static_cast<std::uint32_t>(bytes.size());
  store_.append(bytes);
  return token;
}

// A CR LF is one line end.
std::size_t ScriptTokens::CountLineEnd(std::string_view run, std::size_t at) {
  ++line_;
  return run[at] == '\r' && at + 1 < run.size() && run[at + 1] == '\n' ? at + 2 : at + 1;
}

std::size_t ScriptTokens::SkipBlanksAndComments(std::string_view run, std::size_t at) {
  while (at < run.size()) {
    const char c = run[at];
    const char next = at + 1 < run.size() ? run[at + 1] : '\0';
    if (EndsLine(c)) {
      at = CountLineEnd(run, at);
    } else if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
      ++at;
    } else if (c == '/' && next == '/') {
      while (at < run.size() && !EndsLine(run[at])) {
        ++at;
      }
      in_line_comment_ = at == run.size();
    } else if (c == '/' && next == '*') {
      comment_depth_ = 1;
      at = SkipNestedComment(run, at + 2);
    } else {
      break;
    }
  }
  return at;
}

// Inside a comment `comment_depth_` deep; an unclosed one goes on into the next run.
std::size_t ScriptTokens::SkipNestedComment(std::string_view run, std::size_t at) {
  while (at < run.size()) {
    const char c = run[at];
    const char next = at + 1 < run.size() ? run[at + 1] : '\0';
    if (c == '*' && next == '/') {
      at += 2;
      if (--comment_depth_ == 0) {
        return at;
      }
    } else if (c == '/' && next == '*') {
      at += 2;
      ++comment_depth_;
    } else if (EndsLine(c)) {
      at = CountLineEnd(run, at);
    } else {
      ++at;
    }
  }
  return at;
}

// A name, a keyword or a number; one longer than any name is no name.
std::size_t ScriptTokens::ReadWord(std::string_view run, std::size_t at) {
  const std::size_t begin = at;
  const bool number = IsDigit(run[at]);
  while (at < run.size() && (IsNameByte(run[at]) || (number && run[at] == '.'))) {
    ++at;
  }
  if (at - begin > kLongestLiteral) {
    AddToken(TokenKind::kPunct, {});
  } else {
    AddToken(number ? TokenKind::kNumber : TokenKind::kName, run.substr(begin, at - begin));
  }
  return at;
}

// `at` is on the opening quote. The literal's bytes are kept, and its decoded text after
// them.
std::size_t ScriptTokens::ReadLiteral(std::string_view run, std::size_t at) {
  const std::size_t begin = at;
  std::size_t end = at + 1;
  while (end < run.size() && run[end] != '"' && !EndsLine(run[end])) {
    const bool pair =
        run[end] == '~' && end + 1 < run.size() && (run[end + 1] == '"' || run[end + 1] == '~');
    end += pair ? 2 : 1;
  }
  if (end >= run.size() || run[end] != '"') {
    // The line ends first: the engine's compiler reports the script.
    AddToken(TokenKind::kBroken, {});
    return end < run.size() ? end : run.size();
  }
  const std::string_view bytes = run.substr(begin, end + 1 - begin);
  if (bytes.size() - 2 > kLongestLiteral + kLongestLiteral) {
    AddToken(TokenKind::kTooLong, {});
    return end + 1;
  }
  Token& token = AddToken(TokenKind::kText, bytes);
  const std::size_t text_begin = store_.size();
  for (std::size_t i = 1; i + 1 < bytes.size(); ++i) {
    const char c = bytes[i];
    const char escaped = i + 2 < bytes.size() ? bytes[i + 1] : '\0';
    if (c == '~' && (escaped == '"' || escaped == 'n' || escaped == '~')) {
      store_.push_back(escaped == 'n' ? '\n' : escaped);
      ++i;
    } else {
      store_.push_back(c);
    }
  }
  token.text_size = static_cast<std::uint32_t>(store_.size() - text_begin);
  if (token.text_size > kLongestLiteral) {
    store_.resize(token.bytes_begin);
    token.kind = TokenKind::kTooLong;
    token.bytes_size = 0;
    token.text_size = 0;
  }
  return end + 1;
}

}  // namespace dwelvane

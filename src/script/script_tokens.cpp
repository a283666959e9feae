#include "script/script_tokens.h"

#include <array>

#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

enum ByteClass : std::uint8_t { kOther, kNameByte, kBlank, kLineEnd, kSlash };

constexpr std::array<ByteClass, 256> kClasses = [] {
  std::array<ByteClass, 256> table{};
  for (int c = 0; c < 256; ++c) {
    const bool name = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '_' || c >= 0x80;
    table[static_cast<std::size_t>(c)] = name ? kNameByte : kOther;
  }
  for (const char c : {' ', '\t', '\f', '\v'}) {
    table[static_cast<unsigned char>(c)] = kBlank;
  }
  for (const char c : {'\n', '\r', '\0'}) {
    table[static_cast<unsigned char>(c)] = kLineEnd;
  }
  table['/'] = kSlash;
  return table;
}();

ByteClass ClassOf(char c) {
  return kClasses[static_cast<unsigned char>(c)];
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool EndsLine(char c) {
  return ClassOf(c) == kLineEnd;
}

constexpr std::string_view kIncludeWord = "#include";

}  // namespace

void ScriptTokens::Start() {
  tokens_.clear();
  line_ = 1;
  read_ = 0;
  comment_depth_ = 0;
  in_line_comment_ = false;
  at_start_ = true;
}

void ScriptTokens::Read(std::string_view run, bool piece) {
  const std::int64_t run_size = static_cast<std::int64_t>(run.size());
  run_offset_ = read_;
  if (at_start_ && !run.empty()) {
    run = WithoutByteOrderMark(run);
    run_offset_ += run_size - static_cast<std::int64_t>(run.size());
    at_start_ = false;
  }
  run_start_ = run.data();
  read_ += run_size;
  directions_.clear();
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
    } else if (ClassOf(c) == kNameByte) {
      at = ReadWord(run, at);
    } else if (c == '#' && run.substr(at).starts_with(kIncludeWord)) {
      AddToken(TokenKind::kInclude, run.substr(at, kIncludeWord.size()));
      at += kIncludeWord.size();
    } else {
      AddToken(TokenKind::kPunct, run.substr(at, 1)).punct = c;
      ++at;
    }
  }
  in_line_comment_ = in_line_comment_ && piece;
}

void ScriptTokens::DropFront(std::size_t count) {
  tokens_.erase(tokens_.begin(), tokens_.begin() + static_cast<std::ptrdiff_t>(count));
}

// Their bytes move to the buffer not in use, which nothing points into any more.
void ScriptTokens::KeepHeldTokens() {
  std::string& kept = kept_[1 - in_use_];
  std::size_t size = 0;
  for (const Token& token : tokens_) {
    size += token.size;
  }
  kept.clear();
  kept.reserve(size);
  for (Token& token : tokens_) {
    const std::size_t offset = kept.size();
    kept.append(token.bytes, token.size);
    token.bytes = kept.data() + offset;
  }
  in_use_ = 1 - in_use_;
}

std::string_view ScriptTokens::Text(const Token& token) const {
  if (token.kind != TokenKind::kText) {
    return Bytes(token);
  }
  const std::string_view inner(token.bytes + 1, token.size - 2);
  if (!token.escaped) {
    return inner;
  }
  decoded_.clear();
  for (std::size_t i = 0; i < inner.size(); ++i) {
    const char escaped = i + 1 < inner.size() ? inner[i + 1] : '\0';
    if (inner[i] == '~' && (escaped == '"' || escaped == 'n' || escaped == '~')) {
      decoded_.push_back(escaped == 'n' ? '\n' : escaped);
      ++i;
    } else {
      decoded_.push_back(inner[i]);
    }
  }
  return decoded_;
}

Token& ScriptTokens::AddToken(TokenKind kind, std::string_view bytes) {
  Token& token = tokens_.emplace_back();
  token.kind = kind;
  token.line = line_;
  token.bytes = bytes.data();
  token.size = static_cast<std::uint32_t>(bytes.size());
  token.offset = bytes.data() == nullptr ? 0 : run_offset_ + (bytes.data() - run_start_);
  return token;
}

void ScriptTokens::NoteDirection(std::string_view comment) {
  const std::string_view text = TrimBlanks(comment);
  if (text.size() < 2 || text.front() != '(' || text.back() != ')') {
    return;
  }
  const std::string_view inner = TrimBlanks(text.substr(1, text.size() - 2));
  if (!inner.empty()) {
    directions_.push_back({line_, inner});
  }
}

// A CR LF is one line end.
std::size_t ScriptTokens::CountLineEnd(std::string_view run, std::size_t at) {
  ++line_;
  return run[at] == '\r' && at + 1 < run.size() && run[at + 1] == '\n' ? at + 2 : at + 1;
}

std::size_t ScriptTokens::SkipBlanksAndComments(std::string_view run, std::size_t at) {
  while (at < run.size()) {
    switch (ClassOf(run[at])) {
      case kBlank:
        ++at;
        continue;
      case kLineEnd:
        at = CountLineEnd(run, at);
        continue;
      case kSlash: {
        const char next = at + 1 < run.size() ? run[at + 1] : '\0';
        if (next == '/') {
          const std::size_t start = at + 2;
          while (at < run.size() && !EndsLine(run[at])) {
            ++at;
          }
          in_line_comment_ = at == run.size();
          if (!tokens_.empty() && tokens_.back().line == line_) {
            NoteDirection(run.substr(start, at - start));
          }
          continue;
        }
        if (next == '*') {
          comment_depth_ = 1;
          at = SkipNestedComment(run, at + 2);
          continue;
        }
        return at;
      }
      default:
        return at;
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
  while (at < run.size() && (ClassOf(run[at]) == kNameByte || (number && run[at] == '.'))) {
    ++at;
  }
  if (at - begin > kLongestLiteral) {
    AddToken(TokenKind::kPunct, {});
  } else {
    AddToken(number ? TokenKind::kNumber : TokenKind::kName, run.substr(begin, at - begin));
  }
  return at;
}

// `at` is on the opening quote.
std::size_t ScriptTokens::ReadLiteral(std::string_view run, std::size_t at) {
  const std::size_t begin = at;
  std::size_t end = at + 1;
  std::size_t escapes = 0;
  while (end < run.size() && run[end] != '"' && !EndsLine(run[end])) {
    const char next = end + 1 < run.size() ? run[end + 1] : '\0';
    const bool escape = run[end] == '~' && (next == '"' || next == '~' || next == 'n');
    escapes += escape ? 1 : 0;
    end += escape && next != 'n' ? 2 : 1;
  }
  if (end >= run.size() || run[end] != '"') {
    // The line ends first: the engine's compiler reports the script.
    AddToken(TokenKind::kBroken, {});
    return end;
  }
  const std::size_t text_size = end - begin - 1 - escapes;
  Token& token = AddToken(text_size > kLongestLiteral ? TokenKind::kTooLong : TokenKind::kText,
                          run.substr(begin, end + 1 - begin));
  token.escaped = escapes > 0;
  if (token.kind == TokenKind::kTooLong) {
    token.size = 0;
  }
  return end + 1;
}

}  // namespace dwelvane

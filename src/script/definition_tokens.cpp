#include "script/definition_tokens.h"

namespace dwelvane {
namespace {

bool IsLineEnd(char byte) {
  return byte == '\n' || byte == '\r';
}

bool IsBlank(char byte) {
  return byte == ' ' || byte == '\t' || byte == '\v' || byte == '\f';
}

}  // namespace

DefinitionToken DefinitionTokens::Next() {
  SkipBlanksAndComments();
  DefinitionToken token;
  token.line = line_;
  if (position_ == text_.size()) {
    return token;
  }
  switch (text_[position_]) {
    case '=':
      token.kind = DefinitionTokenKind::kEquals;
      ++position_;
      break;
    case '{':
      token.kind = DefinitionTokenKind::kOpen;
      ++position_;
      break;
    case '}':
      token.kind = DefinitionTokenKind::kClose;
      ++position_;
      break;
    case '"':
      token.kind = DefinitionTokenKind::kQuoted;
      token.text = TakeQuoted();
      break;
    default:
      token.kind = DefinitionTokenKind::kWord;
      token.text = TakeWord();
      break;
  }
  return token;
}

std::string_view DefinitionTokens::NextValue() {
  SkipBlanksOnTheLine();
  if (position_ < text_.size() && text_[position_] == '"') {
    return TakeQuoted();
  }
  return AtWordByte() ? TakeWord() : std::string_view();
}

void DefinitionTokens::SkipBlanksAndComments() {
  while (position_ < text_.size()) {
    const char byte = text_[position_];
    if (byte == '\n' || (byte == '\r' && text_.substr(position_ + 1, 1) != "\n")) {
      ++line_;
    } else if (AtComment()) {
      while (position_ < text_.size() && !IsLineEnd(text_[position_])) {
        ++position_;
      }
      continue;
    } else if (!IsBlank(byte) && byte != '\r') {
      return;
    }
    ++position_;
  }
}

void DefinitionTokens::SkipBlanksOnTheLine() {
  while (position_ < text_.size() && IsBlank(text_[position_])) {
    ++position_;
  }
}

bool DefinitionTokens::AtComment() const {
  return text_[position_] == ';' ||
         (text_[position_] == '/' && text_.substr(position_ + 1, 1) == "/");
}

bool DefinitionTokens::AtWordByte() const {
  if (position_ == text_.size()) {
    return false;
  }
  const char byte = text_[position_];
  return !IsBlank(byte) && !IsLineEnd(byte) && byte != '=' && byte != '{' && byte != '}' &&
         byte != '"' && !AtComment();
}

std::string_view DefinitionTokens::TakeQuoted() {
  const std::size_t begin = ++position_;
  while (position_ < text_.size() && text_[position_] != '"' && !IsLineEnd(text_[position_])) {
    ++position_;
  }
  const std::string_view quoted = text_.substr(begin, position_ - begin);
  if (position_ < text_.size() && text_[position_] == '"') {
    ++position_;
  }
  return quoted;
}

std::string_view DefinitionTokens::TakeWord() {
  const std::size_t begin = position_;
  while (AtWordByte()) {
    ++position_;
  }
  return text_.substr(begin, position_ - begin);
}

}  // namespace dwelvane

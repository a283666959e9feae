#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dwelvane {

// The pieces of the engine's definition files (.actor, .act3d, .entity, .scene): words,
// quoted texts, "=", "{" and "}". Blanks, line ends and comments (";" or "//" to the end of
// the line) lie between them; any other byte is part of a word.
enum class DefinitionTokenKind : std::uint8_t { kWord, kQuoted, kEquals, kOpen, kClose, kEnd };

struct DefinitionToken {
  DefinitionTokenKind kind = DefinitionTokenKind::kEnd;
  std::string_view text;  // a word, or a quoted text without its quotes
  std::int64_t line = 0;  // counted from 1
};

// Cuts a text into tokens, each byte looked at once. A quoted text has no escapes and ends
// at its closing quote or, without one, at the end of its line.
class DefinitionTokens {
 public:
  explicit DefinitionTokens(std::string_view text) : text_(text) {}

  DefinitionToken Next();

  // The value after an "=": the quoted text or the word that follows on the same line,
  // else nothing (and nothing is taken), so that a value left out can't swallow the next
  // line's attribute.
  std::string_view NextValue();

 private:
  void SkipBlanksAndComments();
  void SkipBlanksOnTheLine();
  bool AtComment() const;
  bool AtWordByte() const;
  std::string_view TakeQuoted();
  std::string_view TakeWord();

  std::string_view text_;
  std::size_t position_ = 0;
  std::int64_t line_ = 1;
};

}  // namespace dwelvane

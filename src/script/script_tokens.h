#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

enum class TokenKind : std::uint8_t {
  kName,     // a name or keyword: letters, digits and "_", not starting with a digit
  kNumber,   // digits, with any letters and dots that follow them
  kText,     // a text literal
  kBroken,   // a text literal that the line ends in
  kTooLong,  // a closed text literal longer than kLongestLiteral
  kPunct,    // one byte of punctuation, or a name too long to be one (punct 0)
  kInclude,  // #include; the text literal after it names the file
};

// One token of a script: its bytes as written, a literal's with its quotes.
struct Token {
  const char* bytes = nullptr;
  std::uint32_t size = 0;
  TokenKind kind = TokenKind::kPunct;
  char punct = 0;
  bool escaped = false;     // a literal whose text differs from its bytes
  std::int64_t line = 0;    // counted from 1
  std::int64_t offset = 0;  // where its first byte stands in the script, counted from 0
};

// A "// (...)" comment after a token on its line, as scripts mark how a line is said: the
// text between the parentheses, blanks trimmed.
struct LineDirection {
  std::int64_t line = 0;
  std::string_view text;
};

// The engine's compiler refuses longer text literals; no name is longer either.
inline constexpr std::size_t kLongestLiteral = 4096;

// A script cut into tokens as the engine's compiler cuts it: comments ("//" to the line end,
// "/* */" nested and across lines) and blanks dropped; in a literal "~"" is a double quote,
// "~n" a line break, "~~" a tilde, a "~" before anything else stays. CR, LF, CR LF and the
// zero byte end a line, as the line reader counts them. The script comes in runs of whole
// lines (or pieces of a line longer than a run, which a token may not straddle); a token
// points into its run until the next run comes, when the tokens still held are copied, and
// the tokens read so far can be dropped, so that memory stays flat whatever the script.
class ScriptTokens {
 public:
  void Start();
  // Cuts `run` into tokens, which point into it; `piece`: its line goes on in the next run.
  void Read(std::string_view run, bool piece = false);
  // Forgets the first `count` tokens.
  void DropFront(std::size_t count);
  // Copies the bytes of the tokens held, before the run they point into goes.
  void KeepHeldTokens();

  const std::vector<Token>& Tokens() const { return tokens_; }
  // The directions of the last Read, which point into its run.
  const std::vector<LineDirection>& Directions() const { return directions_; }
  static std::string_view Bytes(const Token& token) { return {token.bytes, token.size}; }
  // A literal's text, its escapes decoded; the bytes of any other token. A decoded text
  // lives until the next call.
  std::string_view Text(const Token& token) const;

 private:
  std::size_t SkipBlanksAndComments(std::string_view run, std::size_t at);
  std::size_t SkipNestedComment(std::string_view run, std::size_t at);
  std::size_t ReadLiteral(std::string_view run, std::size_t at);
  std::size_t ReadWord(std::string_view run, std::size_t at);
  std::size_t CountLineEnd(std::string_view run, std::size_t at);
  Token& AddToken(TokenKind kind, std::string_view bytes);
  void NoteDirection(std::string_view comment);

  std::vector<Token> tokens_;
  std::vector<LineDirection> directions_;
  std::string kept_[2];  // the bytes of tokens held from earlier runs; one in use
  int in_use_ = 0;
  mutable std::string decoded_;
  std::int64_t line_ = 1;
  const char* run_start_ = nullptr;  // of the run being read
  std::int64_t run_offset_ = 0;      // where the run starts in the script
  std::int64_t read_ = 0;            // the bytes of the runs before it
  std::size_t comment_depth_ = 0;    // a "/*" comment goes on into the next run
  bool in_line_comment_ = false;     // a "//" comment goes on into the next piece
  bool at_start_ = true;
};

}  // namespace dwelvane

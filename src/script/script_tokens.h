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
  kText,     // a text literal, its escapes decoded
  kBroken,   // a text literal that the line ends in
  kTooLong,  // a closed text literal longer than kLongestLiteral
  kPunct,    // one byte of punctuation
  kInclude,  // #include; the text literal after it names the file
};

// One token of a script. Its bytes are [begin, end) of the source; a text literal's decoded
// bytes are ScriptTokens::Text of it.
struct Token {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t text_begin = 0;  // in the source, or in the decoded store when `decoded`
  std::size_t text_size = 0;
  std::int64_t line = 0;  // counted from 1
  TokenKind kind = TokenKind::kPunct;
  bool decoded = false;  // the literal held an escape, so its text lives in the store
  char punct = 0;
};

// The engine's compiler refuses longer text literals.
inline constexpr std::size_t kLongestLiteral = 4096;

// A script cut into tokens as the engine's compiler cuts it: comments ("//" to the line end,
// "/* */" nested and across lines) and blanks dropped; in a literal "~"" is a double quote,
// "~n" a line break, "~~" a tilde, a "~" before anything else stays. CR, LF, CR LF and the
// zero byte end a line, as the line reader counts them. The object is reused from script
// to script, so that reading one costs no allocation once it has grown.
class ScriptTokens {
 public:
  void Read(std::string_view source);

  const std::vector<Token>& Tokens() const { return tokens_; }
  std::string_view Source() const { return source_; }
  std::string_view Bytes(const Token& token) const {
    return source_.substr(token.begin, token.end - token.begin);
  }
  std::string_view Text(const Token& token) const {
    const std::string_view from = token.decoded ? std::string_view(decoded_) : source_;
    return from.substr(token.text_begin, token.text_size);
  }

 private:
  std::size_t SkipBlanksAndComments(std::size_t at);
  std::size_t SkipNestedComment(std::size_t at);
  std::size_t ReadLiteral(std::size_t at);
  std::size_t CountLineEnd(std::size_t at);

  std::string_view source_;
  std::vector<Token> tokens_;
  std::string decoded_;
  std::int64_t line_ = 1;
};

}  // namespace dwelvane

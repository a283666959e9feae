#include "runtime/date_time.h"

#include <array>

#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

struct DateToken {
  std::string_view letters;  // lower case, without the "%"
  int DateTime::*field;
  int digits;
};

// "%yyyy" stands before "%yy" so that the longer token wins.
constexpr std::array<DateToken, 7> kTokens{{
    {"yyyy", &DateTime::year, 4},
    {"yy", &DateTime::year, 2},
    {"mm", &DateTime::month, 2},
    {"dd", &DateTime::day, 2},
    {"hh", &DateTime::hour, 2},
    {"ii", &DateTime::minute, 2},
    {"ss", &DateTime::second, 2},
}};

bool StartsWithToken(std::string_view text, std::string_view letters) {
  if (text.size() < letters.size()) {
    return false;
  }
  for (std::size_t i = 0; i < letters.size(); ++i) {
    if (LowerByte(text[i]) != letters[i]) {
      return false;
    }
  }
  return true;
}

const DateToken* MatchToken(std::string_view text) {
  for (const DateToken& token : kTokens) {
    if (StartsWithToken(text, token.letters)) {
      return &token;
    }
  }
  return nullptr;
}

void AppendPadded(std::string& out, int value, int digits) {
  int divisor = 1;
  for (int i = 1; i < digits; ++i) {
    divisor *= 10;
  }
  for (value %= divisor * 10; divisor > 0; divisor /= 10) {
    out.push_back(static_cast<char>('0' + value / divisor % 10));
  }
}

}  // namespace

std::string DateFormat(std::string_view mask, const DateTime& date) {
  std::string out;
  std::size_t position = 0;
  while (position < mask.size()) {
    const char byte = mask[position++];
    if (byte != '%') {
      out.push_back(byte);
      continue;
    }
    const DateToken* token = MatchToken(mask.substr(position));
    if (token == nullptr) {
      out.push_back('%');
      continue;
    }
    AppendPadded(out, date.*token->field, token->digits);
    position += token->letters.size();
  }
  return out;
}

}  // namespace dwelvane

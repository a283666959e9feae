#pragma once

#include <cstddef>
#include <string_view>

namespace dwelvane {

inline constexpr std::string_view kTalkKeyword = ".Talk(";
inline constexpr std::string_view kTalkAsyncKeyword = ".TalkAsync(";

struct TalkKeywordMatch {
  std::size_t position = 0;  // 1-based; 0 when the line holds no talk keyword
  std::size_t length = 0;
};

// The first ".Talk(" of the line; only in a line without one, the first ".TalkAsync(".
TalkKeywordMatch FindTalkKeyword(std::string_view line);

// Where the first ".Talk", the start both keywords share, begins in [begin, end); `end`
// when there is none. Lines without it can be passed over unread.
const char* FindTalkKeywordStart(const char* begin, const char* end);

// Where the first ".Talk(" or ".TalkAsync(" begins in [begin, end); `end` when there is
// neither. Exactly the lines in which it finds one are talk lines.
const char* FindTalkCall(const char* begin, const char* end);

}  // namespace dwelvane

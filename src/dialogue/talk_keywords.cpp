#include "dialogue/talk_keywords.h"

namespace dwelvane {

TalkKeywordMatch FindTalkKeyword(std::string_view line) {
  // Both keywords begin with ".Talk", so most lines are rejected by one search, and the
  // exact searches can start at its first place.
  constexpr std::string_view kCommonStart = ".Talk";
  const std::size_t first = line.find(kCommonStart);
  if (first == std::string_view::npos) {
    return {};
  }
  if (const std::size_t talk = line.find(kTalkKeyword, first); talk != std::string_view::npos) {
    return {talk + 1, kTalkKeyword.size()};
  }
  if (const std::size_t async = line.find(kTalkAsyncKeyword, first);
      async != std::string_view::npos) {
    return {async + 1, kTalkAsyncKeyword.size()};
  }
  return {};
}

}  // namespace dwelvane

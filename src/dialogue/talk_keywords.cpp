#include "dialogue/talk_keywords.h"

#include <cstring>

namespace dwelvane {
namespace {
constexpr std::string_view kCommonStart = ".Talk";
}

TalkKeywordMatch FindTalkKeyword(std::string_view line) {
  // Both keywords begin with ".Talk", so most lines are rejected by one search, and the
  // exact searches can start at its first place.
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

const char* FindTalkKeywordStart(const char* begin, const char* end) {
  // A capital T is rare in scripts, so memchr on it skips most bytes at full speed.
  constexpr auto kLength = static_cast<std::ptrdiff_t>(kCommonStart.size());
  for (const char* from = begin; end - from >= kLength;) {
    const auto* capital = static_cast<const char*>(
        std::memchr(from + 1, 'T', static_cast<std::size_t>(end - from - 1)));
    if (capital == nullptr || end - capital < kLength - 1) {
      break;
    }
    if (std::string_view(capital - 1, kCommonStart.size()) == kCommonStart) {
      return capital - 1;
    }
    from = capital;
  }
  return end;
}

const char* FindTalkCall(const char* begin, const char* end) {
  for (const char* from = begin;; ++from) {
    from = FindTalkKeywordStart(from, end);
    if (from == end) {
      return end;
    }
    const std::string_view rest(from, static_cast<std::size_t>(end - from));
    if (rest.starts_with(kTalkKeyword) || rest.starts_with(kTalkAsyncKeyword)) {
      return from;
    }
  }
}

}  // namespace dwelvane

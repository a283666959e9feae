#include "dialogue/talk_line_parser.h"

#include "dialogue/talk_keywords.h"

namespace dwelvane {
namespace {

constexpr std::string_view kArgumentBreak = "\",\"";

// Everything before the first double quote; empty when there is none.
std::string_view BeforeQuote(std::string_view text) {
  const std::size_t quote = text.find('"');
  return quote == std::string_view::npos ? std::string_view{} : text.substr(0, quote);
}

std::string_view CutSpeaker(std::string_view prefix) {
  const std::size_t last = prefix.find_last_of(" :");
  return last == std::string_view::npos ? prefix : prefix.substr(last + 1);
}

std::string_view CutAudioFile(std::string_view rest) {
  const std::size_t found = rest.find(kArgumentBreak);
  return found == std::string_view::npos ? std::string_view{}
                                         : BeforeQuote(rest.substr(found + kArgumentBreak.size()));
}

// A sentence "/ID/text" carries a string table ID; the ID leaves the sentence.
void SplitReference(TalkLine& talk) {
  if (talk.sentence.empty() || talk.sentence.front() != '/') {
    return;
  }
  const std::size_t closing = talk.sentence.find('/', 1);
  if (closing == std::string_view::npos) {
    return;
  }
  talk.reference = talk.sentence.substr(1, closing - 1);
  talk.sentence = talk.sentence.substr(closing + 1);
}

}  // namespace

bool ParseTalkLine(std::string_view line, TalkLine& talk) {
  const TalkKeywordMatch match = FindTalkKeyword(line);
  if (match.position == 0) {
    return false;
  }
  const std::size_t keyword_start = match.position - 1;
  // The rest skips the keyword and one more character, normally the opening quote.
  const std::size_t rest_start = keyword_start + match.length + 1;
  const std::string_view rest =
      rest_start < line.size() ? line.substr(rest_start) : std::string_view{};
  talk.speaker = CutSpeaker(line.substr(0, keyword_start));
  talk.audio_file = CutAudioFile(rest);
  talk.sentence = BeforeQuote(rest);
  talk.reference = {};
  talk.async = match.length == kTalkAsyncKeyword.size();
  SplitReference(talk);
  return true;
}

}  // namespace dwelvane

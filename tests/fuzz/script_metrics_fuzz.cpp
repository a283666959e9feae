// The script measure against a line-by-line reference: lines, bytes other than spaces and
// line ends, talk lines and those with an audio marker. The input is repeated until it
// spans several of the measure's blocks and the reader's refills; with the 16-byte reader
// most lines are longer than its buffer and are measured in pieces.
#include <cstdint>
#include <string>

#include "dialogue/talk_keywords.h"
#include "fuzz_support.h"
#include "runtime/line_reader.h"
#include "statistics/script_metrics.h"

using namespace dwelvane;

namespace {

ProjectStatistics MeasureLineByLine(std::string_view text) {
  ProjectStatistics expected;
  for (const std::string_view line : fuzz::ReferenceLines(text)) {
    ++expected.ScriptLineCount;
    for (const char c : line) {
      expected.ScriptCharCount += c != ' ' ? 1 : 0;
    }
    const TalkKeywordMatch match = FindTalkKeyword(line);
    if (match.position != 0) {
      ++expected.DialogueLineCount;
      const std::size_t rest = match.position + match.length;
      expected.AudioLineCount +=
          rest < line.size() && line.find(",\"", rest) != std::string_view::npos ? 1 : 0;
    }
  }
  return expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  std::string text(input);
  while (!input.empty() && text.size() < 10000) {
    text.append(input);
  }
  const std::string& path = fuzz::ScratchPath("script");
  fuzz::WriteFile(path, text);

  ProjectStatistics measured;
  LineReader reader(size % 2 == 0 ? 16 : 64 * 1024);
  if (MeasureScript({path, path, path}, measured, reader).Failed()) {
    __builtin_trap();
  }
  const ProjectStatistics expected = MeasureLineByLine(text);
  if (measured.ScriptLineCount != expected.ScriptLineCount ||
      measured.ScriptCharCount != expected.ScriptCharCount ||
      measured.DialogueLineCount != expected.DialogueLineCount ||
      measured.AudioLineCount != expected.AudioLineCount) {
    __builtin_trap();
  }
  return 0;
}

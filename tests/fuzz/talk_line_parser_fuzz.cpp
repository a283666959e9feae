// The talk line parser on any bytes: every part it finds lies inside the line, and a line
// without a talk keyword gives nothing.
#include <cstdint>
#include <string>

#include "dialogue/talk_line_parser.h"
#include "fuzz_support.h"

using namespace dwelvane;

namespace {

bool Inside(std::string_view part, std::string_view line) {
  return part.empty() ||
         (part.data() >= line.data() && part.data() + part.size() <= line.data() + line.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of its own, so that reading past the line is caught.
  const std::string line(fuzz::AsText(data, size));
  TalkLine talk;
  const bool found = ParseTalkLine(line, talk);
  const bool has_keyword =
      line.find(".Talk(") != std::string::npos || line.find(".TalkAsync(") != std::string::npos;
  if (found != has_keyword) {
    __builtin_trap();
  }
  if (!Inside(talk.speaker, line) || !Inside(talk.reference, line) ||
      !Inside(talk.sentence, line) || !Inside(talk.audio_file, line)) {
    __builtin_trap();
  }
  return 0;
}

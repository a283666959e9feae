// The script measure gives the same counts whatever the reader's buffer, with most lines
// longer than the small one and measured in pieces; its counts hold each other's bounds.
// The input is repeated until it spans several of the measure's blocks and refills.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "runtime/line_reader.h"
#include "statistics/script_metrics.h"

using namespace dwelvane;

namespace {

ProjectStatistics Measure(const std::string& path, std::size_t buffer) {
  ProjectStatistics measured;
  LineReader reader(buffer);
  if (MeasureScript({path, path, path}, measured, reader).Failed()) {
    __builtin_trap();
  }
  return measured;
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
  const ProjectStatistics small = Measure(path, 16);
  const ProjectStatistics large = Measure(path, 64 * 1024);
  if (small.ScriptLineCount != large.ScriptLineCount ||
      small.ScriptCharCount != large.ScriptCharCount ||
      small.DialogueLineCount != large.DialogueLineCount ||
      small.AudioLineCount != large.AudioLineCount ||
      large.AudioLineCount > large.DialogueLineCount ||
      large.DialogueLineCount > large.ScriptLineCount ||
      large.ScriptCharCount > static_cast<std::int64_t>(text.size())) {
    __builtin_trap();
  }
  return 0;
}

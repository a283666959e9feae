// The script reader on any bytes: it reads nothing past the script, reads the same from a
// script handed over in runs of lines as from the whole (where each text starts and the
// directions of "// (...)" comments included), and on a plain one-call line agrees with the line
// rules.
#include <cstdint>
#include <string>

#include "dialogue/talk_line_parser.h"
#include "fuzz_support.h"
#include "script/script_reader.h"

namespace {

using namespace dwelvane;

std::string Render(const ScriptFacts& facts) {
  std::string out;
  for (const SpokenLine& spoken : facts.spoken) {
    out += std::to_string(static_cast<int>(spoken.kind)) + " " + std::to_string(spoken.line) + " " +
           std::string(spoken.receiver) + "|" + std::string(spoken.text.text) + "|" +
           std::to_string(static_cast<int>(spoken.text.form)) + "@" +
           std::to_string(spoken.text.offset) + "|" + std::string(spoken.audio) + "<" +
           std::to_string(spoken.said_by) + "\n";
  }
  for (const ScriptAssignment& assignment : facts.assignments) {
    out += std::string(assignment.name) + "=" + std::string(assignment.value.text) + "\n";
  }
  for (const BrokenLiteral& broken : facts.broken) {
    out += "broken " + std::to_string(broken.line) + "\n";
  }
  for (const LineDirection& direction : facts.directions) {
    out += "direction " + std::to_string(direction.line) + " " + std::string(direction.text) + "\n";
  }
  return out;
}

// Runs end after a line end, as the line reader ends them, at the lines `cuts` picks; each
// is copied into a buffer that is overwritten once read.
std::string ReadInRuns(std::string_view script, std::uint8_t cuts) {
  ScriptReader reader;
  ScriptFacts facts;
  reader.Start(facts);
  std::string buffer;
  std::size_t line = 0;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (c != '\n' && c != '\r' && c != '\0') {
      continue;
    }
    if (c == '\r' && i + 1 < script.size() && script[i + 1] == '\n') {
      ++i;
    }
    if ((cuts >> (line++ % 8) & 1) != 0) {
      buffer.assign(script.substr(begin, i + 1 - begin));
      reader.Read(buffer);
      buffer.assign(buffer.size(), '"');
      begin = i + 1;
    }
  }
  buffer.assign(script.substr(begin));
  reader.Read(buffer);
  reader.Finish();
  return Render(facts);
}

// Bytes the line rules and the engine read alike inside a name or a text.
std::string Plain(std::string_view bytes, bool name) {
  std::string out;
  for (const char c : bytes) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    if (letter || (!name && c >= ' ' && c <= '}' && c != '"' && c != '\\' && c != '/')) {
      out.push_back(c);
    }
  }
  return out;
}

void CheckAgreementOnAPlainLine(std::string_view data) {
  const std::size_t third = data.size() / 3;
  const std::string speaker = Plain(data.substr(0, third), true);
  const std::string text = Plain(data.substr(third, third), false);
  const std::string audio = Plain(data.substr(2 * third), false);
  if (speaker.empty()) {
    return;
  }
  const std::string line = speaker + ".Talk(\"" + text + "\",\"" + audio + "\");";
  TalkLine talk;
  ScriptFacts facts;
  ReadScript(line, facts);
  if (!ParseTalkLine(line, talk) || facts.spoken.size() != 1 || talk.speaker != speaker ||
      facts.spoken[0].receiver != talk.speaker || facts.spoken[0].text.text != talk.sentence ||
      facts.spoken[0].audio != talk.audio_file) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const std::vector<char> exact = fuzz::ExactCopy(input);
  ScriptFacts facts;
  ReadScript({exact.data(), exact.size()}, facts);
  const std::string whole = Render(facts);
  if (ReadInRuns(input, size > 0 ? data[0] : 0) != whole) {
    __builtin_trap();
  }
  CheckAgreementOnAPlainLine(input);
  return 0;
}

// IDs put into any script: read again, every line that got one names it and keeps its own
// text as the fallback, and every other line reads as before.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "script/script_reader.h"
#include "script/text_reference.h"
#include "translation/id_insertion.h"

namespace {

using namespace dwelvane;

struct Line {
  std::int64_t number;
  std::string text;
  ValueForm form;
  bool tagged;
};

std::vector<Line> ReadLines(std::string_view script) {
  ScriptFacts facts;
  ReadScript(script, facts);
  std::vector<Line> lines;
  for (const SpokenLine& spoken : facts.spoken) {
    const bool untagged = spoken.text.form == ValueForm::kText && !spoken.text.text.empty() &&
                          !SplitReference(spoken.text.text).names_entry;
    lines.push_back({spoken.line, std::string(spoken.text.text), spoken.text.form, untagged});
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view script = fuzz::AsText(data, size);
  ScriptFacts facts;
  ReadScript(script, facts);
  const std::vector<Line> before = ReadLines(script);
  std::vector<IdInsertion> insertions;
  for (const SpokenLine& spoken : facts.spoken) {
    const bool untagged = spoken.text.form == ValueForm::kText && !spoken.text.text.empty() &&
                          !SplitReference(spoken.text.text).names_entry;
    if (!untagged) {
      continue;
    }
    if (spoken.text.offset < 0 || static_cast<std::size_t>(spoken.text.offset) >= size ||
        script[static_cast<std::size_t>(spoken.text.offset)] != '"') {
      __builtin_trap();
    }
    insertions.push_back({spoken.text.offset, "id_7"});
  }
  // Array texts may come before the choices that use them, but their literals stand in
  // script order.
  std::sort(insertions.begin(), insertions.end(),
            [](const IdInsertion& a, const IdInsertion& b) { return a.quote < b.quote; });
  const std::vector<Line> after = ReadLines(InsertIds(script, insertions));
  if (after.size() != before.size()) {
    __builtin_trap();
  }
  for (std::size_t i = 0; i < before.size(); ++i) {
    const TextReference reference = SplitReference(after[i].text);
    const bool kept = before[i].tagged ? reference.names_entry && reference.id == "id_7" &&
                                             reference.fallback == before[i].text
                                       : after[i].text == before[i].text;
    if (!kept || after[i].number != before[i].number || after[i].form != before[i].form) {
      __builtin_trap();
    }
  }
  return 0;
}

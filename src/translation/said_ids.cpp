#include "translation/said_ids.h"

#include <unordered_map>

#include "runtime/text_operations.h"

namespace dwelvane {

SaidIds CollectSaidIds(const DialogueTable& records, const std::vector<ScriptRecords>& scripts) {
  SaidIds said;
  said.next.assign(records.DialogueCount, SaidIds::kNoRecord);
  // By ID: its place in `said.ids` and its last line so far.
  std::unordered_map<std::string_view, std::pair<std::size_t, std::size_t>, AsciiCaseHash,
                     AsciiCaseEqual>
      index;
  index.reserve(records.DialogueCount);
  for (const ScriptRecords& script : scripts) {
    for (std::size_t i = script.first; i < script.first + script.count; ++i) {
      const std::string_view id = records.Record(i).Reference;
      if (id.empty()) {
        continue;
      }
      const auto [found, added] = index.try_emplace(id, said.ids.size(), i);
      if (added) {
        said.ids.push_back({id, i, i > script.first ? i - 1 : SaidIds::kNoRecord});
        continue;
      }
      said.next[found->second.second] = i;
      found->second.second = i;
    }
  }
  return said;
}

}  // namespace dwelvane

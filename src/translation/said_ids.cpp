#include "translation/said_ids.h"

#include <unordered_map>

#include "runtime/text_operations.h"

namespace dwelvane {

std::vector<SaidId> CollectSaidIds(const DialogueTable& records,
                                   const std::vector<ScriptRecords>& scripts) {
  std::vector<SaidId> said;
  std::unordered_map<std::string_view, std::size_t, AsciiCaseHash, AsciiCaseEqual> index;
  for (const ScriptRecords& script : scripts) {
    for (std::size_t i = script.first; i < script.first + script.count; ++i) {
      const std::string_view id = records.Record(i).Reference;
      if (id.empty()) {
        continue;
      }
      const auto [found, added] = index.try_emplace(id, said.size());
      if (added) {
        said.push_back({id, {}, i > script.first ? i - 1 : SaidId::kNoRecord});
      }
      said[found->second].lines.push_back(i);
    }
  }
  return said;
}

}  // namespace dwelvane

#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "translation/script_records.h"

namespace dwelvane {

// One string table ID the scripts say.
struct SaidId {
  std::string_view id;    // as its first line writes it
  std::size_t first = 0;  // the record of its first line
  // The record said just before the first line in the same script; kNoRecord when none.
  std::size_t before = 0;
};

// The IDs the records name, ASCII letter case ignored as the engine compares them, in the
// order of the scripts and their lines; the lines of one ID are linked through `next`, so
// that no ID costs an allocation of its own.
struct SaidIds {
  static constexpr std::size_t kNoRecord = static_cast<std::size_t>(-1);

  std::vector<SaidId> ids;
  std::vector<std::size_t> next;  // by record: the next record of its ID; kNoRecord after the last

  template <typename Take>
  void ForEachLine(const SaidId& said, const Take& take) const {
    for (std::size_t line = said.first; line != kNoRecord; line = next[line]) {
      take(line);
    }
  }
};

SaidIds CollectSaidIds(const DialogueTable& records, const std::vector<ScriptRecords>& scripts);

}  // namespace dwelvane

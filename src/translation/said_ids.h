#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "translation/script_records.h"

namespace dwelvane {

// One string table ID the scripts say, with the lines that say it.
struct SaidId {
  std::string_view id;             // as its first line writes it
  std::vector<std::size_t> lines;  // records, the first one first
  // The record said just before the first line in the same script; kNoRecord when none.
  std::size_t before = kNoRecord;

  static constexpr std::size_t kNoRecord = static_cast<std::size_t>(-1);
};

// The IDs the records name, ASCII letter case ignored as the engine compares them, in the
// order of `scripts` and their lines.
std::vector<SaidId> CollectSaidIds(const DialogueTable& records,
                                   const std::vector<ScriptRecords>& scripts);

}  // namespace dwelvane

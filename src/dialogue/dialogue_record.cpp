#include "dialogue/dialogue_record.h"

namespace dwelvane {

DialogueRecord& DialogueTable::AppendRecord() {
  if (DialogueCount == slots_.size()) {
    slots_.emplace_back();
  }
  return slots_[DialogueCount++];
}

}  // namespace dwelvane

#include "dialogue/dialogue_record.h"

namespace dwelvane {

void DialogueTable::Clear() {
  DialogueCount = 0;
  ScriptCount = 0;
  TranslationEncoding = SourceEncoding::kAscii;
  texts_.Clear();
  translation_source_.reset();
}

DialogueRecord& DialogueTable::AppendRecord() {
  if (DialogueCount == chunks_.size() * kChunkSize) {
    chunks_.push_back(std::make_unique<DialogueRecord[]>(kChunkSize));
  }
  return Record(DialogueCount++);
}

}  // namespace dwelvane

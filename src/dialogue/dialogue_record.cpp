#include "dialogue/dialogue_record.h"

#include <new>
#include <type_traits>

namespace dwelvane {

void DialogueTable::Clear() {
  DialogueCount = 0;
  ScriptCount = 0;
  TranslationEncoding = SourceEncoding::kAscii;
  texts_.Clear();
  translation_source_.reset();
}

DialogueRecord& DialogueTable::AppendRecord() {
  // Records are never destroyed one by one: the chunks are freed whole.
  static_assert(std::is_trivially_destructible_v<DialogueRecord>);
  if (DialogueCount == chunks_.size() * kChunkSize) {
    chunks_.push_back(AllocateLargeBlock(kLargeBlockSize));
  }
  const std::size_t index = DialogueCount++;
  return *new (chunks_[index / kChunkSize].get() + index % kChunkSize * sizeof(DialogueRecord))
      DialogueRecord;
}

LinesByEncoding CountLinesByEncoding(const DialogueTable& table) {
  LinesByEncoding lines;
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    const SourceEncoding encoding = table.Record(i).ScriptEncoding;
    lines.windows_1252 += encoding == SourceEncoding::kWindows1252 ? 1 : 0;
    lines.utf8 += encoding == SourceEncoding::kUtf8 ? 1 : 0;
  }
  return lines;
}

}  // namespace dwelvane

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "runtime/large_block.h"
#include "runtime/text_arena.h"
#include "runtime/text_encoding.h"
#include "script/line_kind.h"

namespace dwelvane {

// One line that a character says in a script. The texts live in the table's arena.
struct DialogueRecord {
  std::string_view ScriptLocation;  // the script's folder, ending with the path separator
  std::string_view ScriptName;
  std::int64_t ScriptLine = 0;  // counted from 1
  std::string_view Speaker;
  std::string_view Reference;  // string table ID between the slashes at the sentence's start
  std::string_view Translation;
  std::string_view Sentence;
  std::string_view AudioFile;
  SourceEncoding ScriptEncoding = SourceEncoding::kAscii;  // of the script's bytes
  LineKind Kind = LineKind::kTalk;
  std::string_view Character = {};  // who says it, when asked for: see ResolveCharacters
  // How it is said, from a "// (...)" comment after it on its line (engine syntax only).
  std::string_view Direction = {};
};

// The talk lines of the last dialogue command; records 0 to DialogueCount - 1 are current.
// The table grows in fixed chunks of one large block each without limit: records never
// move, growing never copies the records already there, and a chunk costs a fraction of
// the page faults of ordinary memory. Their texts are kept in one arena, so that a record
// costs no allocation of its own.
class DialogueTable {
 public:
  // Empties the table for a new run.
  void Clear();

  // The next slot, emptied: the caller writes every field.
  DialogueRecord& AppendRecord();

  // Drops the records from `count` on, as when the file they came from turned out
  // unreadable half-way; their texts stay until Clear.
  void DiscardFrom(std::size_t count) {
    DialogueCount = count < DialogueCount ? count : DialogueCount;
  }

  // A copy of `text` that lives as long as the records of this run.
  std::string_view StoreText(std::string_view text) { return texts_.Store(text); }

  // Keeps what the records' Translations are views into until Clear, or until the next
  // translation, which sets every Translation anew, brings its own.
  void KeepTranslationSource(std::shared_ptr<const void> source) {
    translation_source_ = std::move(source);
  }

  DialogueRecord& Record(std::size_t index) { return *Slot(index); }
  const DialogueRecord& Record(std::size_t index) const {
    return *const_cast<DialogueTable*>(this)->Slot(index);
  }

  std::size_t DialogueCount = 0;
  std::size_t ScriptCount = 0;  // the scripts scanned, records or not
  SourceEncoding TranslationEncoding = SourceEncoding::kAscii;  // of the string table's bytes

 private:
  static constexpr std::size_t kChunkSize = kLargeBlockSize / sizeof(DialogueRecord);

  // Where record `index` lives; it is made there when it is appended.
  DialogueRecord* Slot(std::size_t index) {
    return std::launder(reinterpret_cast<DialogueRecord*>(chunks_[index / kChunkSize].get())) +
           index % kChunkSize;
  }

  std::vector<LargeBlock> chunks_;
  TextArena texts_;
  std::shared_ptr<const void> translation_source_;
};

// How many records come from Windows-1252 and from UTF-8 scripts: a table of bytes that
// holds both reads garbled in any one setting of a spreadsheet.
struct LinesByEncoding {
  std::size_t windows_1252 = 0;
  std::size_t utf8 = 0;

  bool Mixed() const { return windows_1252 > 0 && utf8 > 0; }
};
LinesByEncoding CountLinesByEncoding(const DialogueTable& table);

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "runtime/command_feedback.h"
#include "runtime/large_block.h"
#include "runtime/text_operations.h"

namespace dwelvane {

// The engine's string table: lines of an ID, a tab (or, in a line without a tab, a space)
// and the text. IDs are matched without regard to ASCII letter case, as the engine does;
// of several lines with one ID the last one counts.
// The file is held whole, and an open-addressing table sized once by the lines that hold
// an ID holds where each ID's line starts, part of its ID's hash and what ends the ID: a
// million lines cost two allocations and eight bytes a slot, a probe that meets another
// ID rarely reads the file, and one that meets its ID reads the ID and one byte more,
// never the text. Lines without an ID (empty lines, zero bytes) cost nothing. The hash is
// keyed (KeyedHash), so chosen IDs can't crowd one run of slots. The texts Lookup returns
// are views into the file and live as long as the table; it neither moves nor copies.
class StringTable {
 public:
  StringTable() = default;
  StringTable(const StringTable&) = delete;
  StringTable& operator=(const StringTable&) = delete;

  // Reads the whole file once. Fails when it can't be opened or read whole; the table is
  // then empty. Throws OutOfMemoryReading when the memory runs out.
  IoError Load(const std::string& path);

  // The texts for many IDs: `id_of(i)` for i in [0, count), each text handed to
  // `take(i, text)`, empty when the table has no such ID. The table's memory for the next
  // IDs is fetched while one is looked up.
  template <typename IdOf, typename Take>
  void LookupEach(std::size_t count, const IdOf& id_of, const Take& take) const;
  bool Has(std::string_view id) const;

  // The encoding of the file's bytes, once loaded.
  SourceEncoding Encoding() const { return encoding_; }

 private:
  void Clear();
  IoError LoadWhole(const std::string& path);
  void IndexLines(std::string_view bytes);
  struct PendingLine {
    const char* start = nullptr;
    std::string_view id;
    std::uint32_t id_end = 0;
    std::uint64_t hash = 0;
  };
  void AddLine(const PendingLine& line);

  struct Slot {
    std::uint32_t line = 0;  // where a line starts in bytes_, + 1; 0: an empty slot
    std::uint32_t tag = 0;   // the low half of its ID's hash, its two low bits the IdEnd
  };

  // True when the ID of the slot's line is `id`, read without going past the ID's end.
  bool SlotHoldsId(const Slot& slot, std::string_view id) const;
  // The text of the slot's line, without its line end.
  std::string_view TextAt(const Slot& slot) const;
  // The slot that holds `id`'s line, or the empty slot where it belongs.
  std::size_t FindSlot(std::string_view id, std::uint64_t hash) const;
  std::string_view LookupHashed(std::string_view id, std::uint64_t hash) const;
  void PrefetchSlot(std::uint64_t hash) const;

  LargeBytes bytes_;
  std::vector<Slot> slots_;
  SourceEncoding encoding_ = SourceEncoding::kAscii;
};

template <typename IdOf, typename Take>
void StringTable::LookupEach(std::size_t count, const IdOf& id_of, const Take& take) const {
  // Each slot is a likely cache miss: the slots of the next kAhead IDs are asked for
  // while one ID is looked up.
  constexpr std::size_t kAhead = 8;
  std::uint64_t hashes[kAhead] = {};
  const auto hash_of = [&](std::size_t i) {
    const std::string_view id = id_of(i);
    const std::uint64_t hash = id.empty() ? 0 : HashIgnoringAsciiCase(id);
    PrefetchSlot(hash);
    hashes[i % kAhead] = hash;
  };
  for (std::size_t i = 0; i < count && i < kAhead; ++i) {
    hash_of(i);
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view id = id_of(i);
    const std::uint64_t hash = hashes[i % kAhead];
    take(i, id.empty() ? std::string_view{} : LookupHashed(id, hash));
    if (i + kAhead < count) {
      hash_of(i + kAhead);
    }
  }
}

struct StringTableChoice {
  std::string path;
  bool in_package = false;  // the fallback of a packaged project was taken
};

// The table a translation reads: `chosen` when it names a readable file, else the
// project's English/STRING.TAB when it is readable, else the string.tab of the project's
// primary package when there is one, else English/STRING.TAB all the same.
StringTableChoice ChooseStringTable(std::string_view chosen, std::string_view project_folder);

// Fills the Translation of every record with a Reference from the table at `path`,
// moving the progress bar once per record. A missing table leaves them empty.
void TranslateReferences(DialogueTable& table, const std::string& path, Progress& progress,
                         const CommandFeedback& feedback);

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "runtime/command_feedback.h"

namespace dwelvane {

// The engine's string table: lines of an ID, a tab (or, in a line without a tab, a space)
// and the text. IDs are matched without regard to ASCII letter case, as the engine does;
// of several lines with one ID the last one counts.
// The file is held whole, and an open-addressing table sized once holds where each ID's
// line starts: a million lines cost two allocations and four bytes a slot. The texts Lookup
// returns are views into the file and live as long as the table; it neither moves nor
// copies.
class StringTable {
 public:
  StringTable() = default;
  StringTable(const StringTable&) = delete;
  StringTable& operator=(const StringTable&) = delete;

  // Reads the whole file once. False when it can't be opened or read whole; the table is
  // then empty.
  bool Load(const std::string& path);

  // The text for `id`; empty when the table has no such ID.
  std::string_view Lookup(std::string_view id) const;
  bool Has(std::string_view id) const;

  // The encoding of the file's bytes, once loaded.
  SourceEncoding Encoding() const { return encoding_; }

 private:
  void Clear();
  void IndexLines(std::string_view bytes);
  void AddLine(std::string_view line);
  // The line a slot's value points at, without its line end.
  std::string_view LineAt(std::uint32_t slot_value) const;
  // The slot that holds `id`'s line, or the empty slot where it belongs.
  std::size_t FindSlot(std::string_view id) const;

  std::string bytes_;
  std::vector<std::uint32_t> slots_;  // where a line starts in bytes_, + 1; 0: an empty slot
  SourceEncoding encoding_ = SourceEncoding::kAscii;
};

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

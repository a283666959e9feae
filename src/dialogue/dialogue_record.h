#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dwelvane {

// One line that a character says in a script.
struct DialogueRecord {
  std::string ScriptLocation;  // the script's folder, ending with the path separator
  std::string ScriptName;
  std::int64_t ScriptLine = 0;  // counted from 1
  std::string Speaker;
  std::string Reference;  // string table ID between the two slashes at the sentence's start
  std::string Translation;
  std::string Sentence;
  std::string AudioFile;
};

// The talk lines of the last dialogue command. Slots are kept between runs and reused
// from the first one, so a second run allocates little; the table grows without limit.
class DialogueTable {
 public:
  // Empties the table for a new run.
  void Clear() { DialogueCount = 0; }

  // The next slot, its old contents still in place: the caller writes every field.
  DialogueRecord& AppendRecord();

  std::span<DialogueRecord> Records() { return {slots_.data(), DialogueCount}; }
  std::span<const DialogueRecord> Records() const { return {slots_.data(), DialogueCount}; }

  std::size_t DialogueCount = 0;

 private:
  std::vector<DialogueRecord> slots_;
};

}  // namespace dwelvane

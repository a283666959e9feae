#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "runtime/text_operations.h"
#include "translation/script_records.h"
#include "translation/string_table_file.h"

namespace dwelvane {

struct TableEntry {
  std::string id;
  std::string text;
};

// Which IDs new lines get and which entries the table gains. New numbers follow the
// highest one of the prefix that the table or a script holds, so that no ID is ever given
// to a second text; the IDs of a script are kept only when its new version is written.
class TagPlanner {
 public:
  TagPlanner(std::string prefix, bool share_identical, const StringTableFile& table,
             bool table_in_utf8);

  // Takes in the lines as the scan found them, before any ID is given: their numbers, the
  // IDs identical lines may share, and an entry for each ID the table lacks, script by
  // script in the order given. Returns the records whose entry the table's encoding can't
  // hold.
  std::vector<std::size_t> NoteSaid(const DialogueTable& records,
                                    const std::vector<ScriptRecords>& scripts);

  // The ID for a line of `character` saying `text` (decoded, from a script in
  // `encoding`); nothing when the table's encoding can't hold the text.
  std::optional<std::string> GiveId(std::string_view character, std::string_view text,
                                    SourceEncoding encoding);
  // The entries of the IDs given since the last call, for the script they went into: they
  // belong in the table once that script is written.
  std::vector<TableEntry> TakeGivenEntries();

  // The entries of the IDs the scripts held without one.
  const std::vector<TableEntry>& MissingEntries() const { return entries_; }

 private:
  using SeenIds = std::unordered_set<std::string_view, AsciiCaseHash, AsciiCaseEqual>;
  bool NoteSaidLine(const DialogueRecord& record, SeenIds& added);
  bool AddEntry(std::string_view id, std::string_view text, SourceEncoding encoding,
                std::vector<TableEntry>& to);
  static std::string ShareKey(std::string_view character, std::string_view text);

  std::string prefix_;
  bool share_identical_;
  const StringTableFile& table_;
  bool table_in_utf8_;
  std::uint64_t next_number_ = 1;
  std::unordered_map<std::string, std::string> shared_;  // character and text to its ID
  std::vector<TableEntry> entries_;
  std::vector<TableEntry> given_;
};

}  // namespace dwelvane

#include "translation/tag_planner.h"

#include <algorithm>
#include <unordered_set>

#include "runtime/text_operations.h"
#include "translation/line_ids.h"
#include "translation/table_text.h"

namespace dwelvane {

TagPlanner::TagPlanner(std::string prefix, bool share_identical, const StringTableFile& table,
                       bool table_in_utf8)
    : prefix_(std::move(prefix)),
      share_identical_(share_identical),
      table_(table),
      table_in_utf8_(table_in_utf8) {
  for (const TableLine& line : table_.Lines()) {
    if (const auto number = NumberOfId(line.id, prefix_)) {
      next_number_ = std::max(next_number_, *number + 1);
    }
  }
}

std::vector<std::size_t> TagPlanner::NoteSaid(const DialogueTable& records,
                                              const std::vector<ScriptRecords>& scripts) {
  std::vector<std::size_t> unwritable;
  SeenIds added;
  for (const ScriptRecords& script : scripts) {
    for (std::size_t i = script.first; i < script.first + script.count; ++i) {
      if (!NoteSaidLine(records.Record(i), added)) {
        unwritable.push_back(i);
      }
    }
  }
  return unwritable;
}

// False when the entry the line's ID lacks can't be written.
bool TagPlanner::NoteSaidLine(const DialogueRecord& record, SeenIds& added) {
  if (record.Reference.empty()) {
    return true;
  }
  if (const auto number = NumberOfId(record.Reference, prefix_)) {
    next_number_ = std::max(next_number_, *number + 1);
  }
  if (share_identical_) {
    shared_.try_emplace(ShareKey(record.Character, record.Sentence), record.Reference);
  }
  if (table_.Find(record.Reference) || !added.insert(record.Reference).second) {
    return true;
  }
  return AddEntry(record.Reference, record.Sentence, record.ScriptEncoding, entries_);
}

std::optional<std::string> TagPlanner::GiveId(std::string_view character, std::string_view text,
                                              SourceEncoding encoding) {
  std::string key;
  if (share_identical_) {
    key = ShareKey(character, text);
    if (const auto found = shared_.find(key); found != shared_.end()) {
      return found->second;
    }
  }
  std::string id = MakeId(prefix_, next_number_);
  if (!AddEntry(id, text, encoding, given_)) {
    return std::nullopt;
  }
  ++next_number_;
  if (share_identical_) {
    shared_.emplace(std::move(key), id);
  }
  return id;
}

std::vector<TableEntry> TagPlanner::TakeGivenEntries() {
  std::vector<TableEntry> given;
  given.swap(given_);
  return given;
}

bool TagPlanner::AddEntry(std::string_view id, std::string_view text, SourceEncoding encoding,
                          std::vector<TableEntry>& to) {
  std::string table_text;
  if (!AppendTableText(table_text, text, encoding, table_in_utf8_)) {
    return false;
  }
  to.push_back({std::string(id), std::move(table_text)});
  return true;
}

std::string TagPlanner::ShareKey(std::string_view character, std::string_view text) {
  std::string key(character);
  key.push_back('\0');
  key.append(text);
  return key;
}

}  // namespace dwelvane

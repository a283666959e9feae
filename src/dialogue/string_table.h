#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "dialogue/dialogue_record.h"
#include "runtime/command_feedback.h"

namespace dwelvane {

// The engine's string table: lines of an ID, a tab (or, in a line without a tab, a space)
// and the text. IDs are matched without regard to ASCII letter case, as the engine does;
// of several lines with one ID the last one counts.
class StringTable {
 public:
  // Reads the whole file once. False when it can't be opened; the table is then empty.
  bool Load(const std::string& path);

  // The text for `id`; empty when the table has no such ID.
  std::string_view Lookup(std::string_view id) const;

 private:
  void AddLine(std::string_view line);

  std::unordered_map<std::string, std::string> texts_;
};

// The table a translation reads: `chosen` when it names a readable file, else the
// project's English table.
std::string ChooseStringTablePath(std::string_view chosen, std::string_view project_folder);

// Fills the Translation of every record with a Reference from the table at `path`,
// moving the progress bar once per record. A missing table leaves them empty.
void TranslateReferences(DialogueTable& table, const std::string& path, Progress& progress,
                         const CommandFeedback& feedback);

}  // namespace dwelvane

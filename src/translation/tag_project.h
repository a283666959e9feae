#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "runtime/code_page.h"
#include "runtime/command_feedback.h"
#include "runtime/folder_walk.h"
#include "runtime/io_error.h"
#include "script/character_aliases.h"
#include "translation/line_ids.h"

namespace dwelvane {

struct TagOptions {
  std::string project_folder;
  std::string prefix = std::string(kDefaultIdPrefix);
  bool dry_run = false;          // the changes as a diff in TagReport::diff; nothing written
  bool share_identical = false;  // one ID for the identical texts of one character
  bool include_inc = false;
  TableEncoding new_table_encoding = TableEncoding::kWindows1252;  // for a table made anew
  WalkRules walk;
  std::vector<CharacterAlias> aliases;
};

enum class LeftAloneReason {
  kChangedSinceRead,  // the script's bytes are no longer those that were read
  kBrokenLiteral,     // the engine refuses the script
  kNotInCodePage,     // the table's code page can't hold the line's text
  kUnreadable,
};

// A script, or one line of it, that kept its bytes though it had lines to tag.
struct LeftAlone {
  std::string path;
  std::int64_t line = 0;  // 0: the whole script
  LeftAloneReason reason = LeftAloneReason::kChangedSinceRead;
  IoError error;  // kUnreadable: why
};

struct TagReport {
  std::string table_path;
  std::size_t lines_tagged = 0;
  std::size_t scripts_changed = 0;
  std::size_t entries_added = 0;
  std::vector<LeftAlone> left_alone;
  std::string diff;  // a dry run's changes
  IoError failure;   // the write that failed; nothing was written after it
};

// Gives every talk line and choice whose text names no table entry an ID of its own, in
// walk and line order, and adds the entries to the project's string table. Each script is
// replaced whole, then the table: a run stopped at any moment leaves each file as it was
// or as it is meant to be, and the next run adds the entries of IDs that reached the
// scripts only.
TagReport TagProject(const TagOptions& options, DialogueTable& records, Progress& progress,
                     const CommandFeedback& feedback);

}  // namespace dwelvane

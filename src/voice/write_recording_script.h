#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "runtime/code_page.h"
#include "runtime/command_feedback.h"
#include "runtime/command_outcome.h"
#include "runtime/folder_walk.h"
#include "runtime/io_error.h"
#include "runtime/output_target.h"
#include "script/character_aliases.h"

namespace dwelvane {

enum class RecordingFormat { kHtml, kCsv };

struct RecordingOptions {
  std::string project_folder;
  std::vector<std::string> characters;  // only the lines of these (ASCII case ignored); empty: all
  RecordingFormat format = RecordingFormat::kHtml;
  OutputTarget output = OutputTarget::StandardOutput();
  std::string language;    // the texts of its table; empty: the base table's
  std::string table_path;  // the language's table; empty: the project's (FindLanguageTable)
  TableEncoding code_page = TableEncoding::kWindows1252;  // of tables without a byte order mark
  std::string audio_pattern;  // the audio of lines that name none: "{id}" is the ID
  bool include_inc = false;
  WalkRules walk;
  std::vector<CharacterAlias> aliases;
};

struct RecordingReport {
  std::size_t lines = 0;
  std::size_t recorded = 0;
  std::size_t characters = 0;
  std::vector<std::string> unknown_characters;  // asked for, but no line of theirs is said
  std::vector<std::string> known_characters;    // then: the characters there are
  IoError unreadable;                           // a table that can't be read
  std::string missing_language_table;           // the language asked for has no table there
};

// The lines each character says (engine syntax, characters resolved), for the voice
// booth: by character, then scene or folder, in the order of the scripts' names and their
// lines, each with its cue, direction, audio file and whether that file is there. Nothing
// is written when the report names a fault.
CommandOutcome WriteRecordingScript(const RecordingOptions& options, DialogueTable& records,
                                    Progress& progress, const CommandFeedback& feedback,
                                    RecordingReport& report);

}  // namespace dwelvane

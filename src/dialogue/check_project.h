#pragma once

#include <string>
#include <vector>

#include "dialogue/dialogue_check.h"
#include "dialogue/dialogue_record.h"
#include "dialogue/script_discovery.h"
#include "runtime/command_feedback.h"
#include "runtime/folder_walk.h"

namespace dwelvane {

struct CheckOptions {
  std::string project_folder;
  std::string string_table_path;  // the table the references are checked against
  bool include_inc = false;
  WalkRules walk;
  ScriptSyntax syntax = ScriptSyntax::kEngine;
  // Where the audio files are looked for instead of the project (a language's voice
  // package), as given and made absolute; empty: the project.
  std::string audio_folder_given;
  std::string audio_folder;
  bool unused_audio = false;  // look for sound files no line names
};

struct CheckResult {
  Findings findings;
  bool string_table_read = false;  // false: no reference could be checked
  bool has_references = false;     // some line carries an ID
};

// The project's talk lines, found as the dialogue table finds them, checked for what would
// trouble a recording or translation round.
CheckResult CheckProject(const CheckOptions& options, DialogueTable& table, Progress& progress,
                         const CommandFeedback& feedback);

}  // namespace dwelvane

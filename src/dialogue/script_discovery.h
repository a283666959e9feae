#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "dialogue/engine_script_scan.h"
#include "runtime/command_feedback.h"
#include "runtime/folder_walk.h"
#include "script/character_aliases.h"

namespace dwelvane {

// Which files hold the scripts to scan: names ending in ".script", and with `with_inc`
// in ".inc" too, in any letter case.
struct ScriptFiles {
  bool with_inc = false;
  bool Holds(std::string_view name) const;
};

// How scripts are read: line by line, a record per line that holds a talk keyword, cut by
// fixed searches (the table's own rules); or as the engine's compiler reads them.
enum class ScriptSyntax { kLine, kEngine };

struct ScanRules {
  ScriptFiles scripts;
  ScriptSyntax syntax = ScriptSyntax::kLine;
  bool characters = false;                   // each record's Character is resolved
  std::vector<CharacterAlias> aliases = {};  // the team's own names for speakers
  std::function<void(const BrokenLiteralAt&)> note_broken_literal = {};  // engine syntax
};

// Called with every file the walk meets, scripts or not, for callers that need to know
// the project's files: one walk serves both.
using FileObserver = std::function<void(const WalkedFile& file)>;

// The scan with the progress protocol: one walk lists the script files (and counts them
// for the progress bar), the stage of scanning scripts, then each listed script is scanned
// into an emptied `table` in walk order, its records noting the encoding of its bytes. The
// walk hands every .wpr file it meets to `feedback.note_project_file`. A cancel
// (`feedback.cancelled`) ends it between folders with the table incomplete.
void ScanDialogue(const std::string& folder, const ScanRules& rules, WalkRules walk,
                  DialogueTable& table, Progress& progress, const CommandFeedback& feedback,
                  const FileObserver& see_file = {});

}  // namespace dwelvane

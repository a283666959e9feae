#pragma once

#include <string>

#include "dialogue/dialogue_record.h"
#include "dialogue/script_discovery.h"
#include "dialogue/speaker_report.h"
#include "runtime/command_feedback.h"
#include "runtime/command_outcome.h"
#include "runtime/folder_walk.h"
#include "runtime/output_target.h"
#include "runtime/text_encoding.h"

namespace dwelvane {

struct SpeakersOptions {
  std::string project_folder;
  bool include_inc = false;
  WalkRules walk;
  OutputEncoding encoding = OutputEncoding::kBytes;  // of the names, in text and CSV
  SpeakerFormat format = SpeakerFormat::kText;
  OutputTarget output = OutputTarget::StandardOutput();
  ScriptSyntax syntax = ScriptSyntax::kEngine;
  bool by_character = true;  // else by the speaker as written
  std::vector<CharacterAlias> aliases;
};

// The voice budget: the project's talk lines, found as the dialogue table finds them,
// counted per speaker and written in the format asked for.
CommandOutcome CountSpeakers(const SpeakersOptions& options, DialogueTable& table,
                             Progress& progress, const CommandFeedback& feedback);

}  // namespace dwelvane

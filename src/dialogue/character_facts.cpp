#include "dialogue/character_facts.h"

namespace dwelvane {

void CharacterFacts::NoteScript(std::size_t script, const ScriptFacts& facts,
                                const std::vector<std::size_t>& included_scripts) {
  if (script == kNoScript) {
    return;
  }
  if (scripts_.size() <= script) {
    scripts_.resize(script + 1);
  }
  Script& kept = scripts_[script];
  // A script often assigns the same object to the same name again and again; once is enough.
  seen_.clear();
  for (const ScriptAssignment& assignment : facts.assignments) {
    if (seen_.insert({assignment.name, assignment.value.form, assignment.value.text}).second) {
      kept.assignments.push_back({texts_.Store(assignment.name), Keep(assignment.value)});
    }
  }
  kept.includes.insert(kept.includes.end(), included_scripts.begin(), included_scripts.end());
  for (const std::string_view name : facts.globals) {
    globals_.push_back(texts_.Store(name));
  }
}

CharacterFacts::Speaker& CharacterFacts::SpeakerOf(std::size_t record) {
  if (speakers_.size() <= record) {
    speakers_.resize(record + 1);
  }
  return speakers_[record];
}

void CharacterFacts::NoteSpeaker(std::size_t record, std::size_t script, ScriptValue receiver) {
  Speaker& speaker = SpeakerOf(record);
  speaker.script = script;
  // A script's lines mostly come from the same receiver as the line before: it is kept once.
  if (receiver.form != last_receiver_.form || receiver.text != last_receiver_.text) {
    last_receiver_ = Keep(receiver);
  }
  speaker.receiver = last_receiver_;
}

void CharacterFacts::NoteChoice(std::size_t record, std::size_t talk_record) {
  SpeakerOf(record).said_by = static_cast<std::int64_t>(talk_record);
}

}  // namespace dwelvane

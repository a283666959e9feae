#include "dialogue/character_facts.h"

namespace dwelvane {

std::size_t CharacterFacts::ScriptNumber(const std::string& path) {
  const auto [found, added] = numbers_.try_emplace(path, scripts_.size());
  if (added) {
    scripts_.push_back({.path = path, .assignments = {}, .includes = {}});
  }
  return found->second;
}

void CharacterFacts::NoteScript(std::size_t script, const ScriptFacts& facts,
                                const std::vector<std::size_t>& included_scripts) {
  Script& kept = scripts_[script];
  for (const ScriptAssignment& assignment : facts.assignments) {
    kept.assignments.push_back({texts_.Store(assignment.name), Keep(assignment.value)});
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
  speaker.receiver = Keep(receiver);
}

void CharacterFacts::NoteChoice(std::size_t record, std::size_t talk_record) {
  SpeakerOf(record).said_by = static_cast<std::int64_t>(talk_record);
}

}  // namespace dwelvane

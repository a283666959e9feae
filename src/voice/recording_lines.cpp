#include "voice/recording_lines.h"

#include <algorithm>
#include <unordered_map>

#include "dialogue/speaker_budget.h"
#include "runtime/keyed_hash.h"
#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"
#include "translation/table_text.h"

namespace dwelvane {
namespace {

// Character names come from the project: a keyed hash keeps chosen names from sharing a
// bucket.
struct NameHash {
  std::size_t operator()(const std::string& name) const {
    return static_cast<std::size_t>(KeyedHash(name, HashFold::kNone));
  }
};

std::string_view NameOf(const DialogueRecord& record) {
  return record.Character.empty() ? record.Speaker : record.Character;
}

void AppendCharacter(std::string& out, const DialogueRecord& record) {
  AppendAsUtf8(out, NameOf(record), record.ScriptEncoding);
}

bool SaidByTheSameName(const DialogueRecord& a, const DialogueRecord& b) {
  const std::string_view name_a = NameOf(a);
  const std::string_view name_b = NameOf(b);
  return name_a.data() == name_b.data() && name_a.size() == name_b.size() &&
         a.ScriptEncoding == b.ScriptEncoding;
}

}  // namespace

std::vector<RecordingRole> GroupByCharacter(const DialogueTable& records,
                                            const std::vector<ScriptRecords>& scripts) {
  std::vector<RecordingRole> roles;
  std::unordered_map<std::string, std::size_t, NameHash> index;
  std::string name;
  // Resolved characters are stored once each: a record said by the same character as the
  // one before is placed without a look-up.
  const DialogueRecord* before = nullptr;
  std::size_t role = 0;
  for (const ScriptRecords& script : scripts) {
    for (std::size_t i = script.first; i < script.first + script.count; ++i) {
      const DialogueRecord& record = records.Record(i);
      if (before == nullptr || !SaidByTheSameName(*before, record)) {
        name.clear();
        AppendCharacter(name, record);
        const auto [found, added] = index.try_emplace(name, roles.size());
        if (added) {
          roles.push_back({.character = name, .records = {}});
        }
        role = found->second;
      }
      roles[role].records.push_back(i);
      before = &record;
    }
  }
  std::sort(roles.begin(), roles.end(), [](const RecordingRole& a, const RecordingRole& b) {
    return a.character.empty() != b.character.empty() ? b.character.empty()
                                                      : a.character < b.character;
  });
  return roles;
}

std::string_view SceneOrFolder(std::string_view script_name) {
  constexpr std::string_view kScenes = "scenes/";
  if (script_name.size() > kScenes.size() &&
      EqualIgnoringAsciiCase(script_name.substr(0, kScenes.size()), kScenes)) {
    const std::size_t scene_end = script_name.find('/', kScenes.size());
    if (scene_end != std::string_view::npos) {
      return script_name.substr(0, scene_end);
    }
  }
  const std::size_t folder_end = script_name.rfind('/');
  return folder_end == std::string_view::npos ? std::string_view{}
                                              : script_name.substr(0, folder_end);
}

RecordingLineMaker::RecordingLineMaker(const DialogueTable& records,
                                       const std::vector<ScriptRecords>& scripts,
                                       const RecordingSources& sources)
    : records_(records), scripts_(scripts), sources_(sources), script_of_(records.DialogueCount) {
  for (std::size_t s = 0; s < scripts.size(); ++s) {
    for (std::size_t i = scripts[s].first; i < scripts[s].first + scripts[s].count; ++i) {
      script_of_[i] = s;
    }
  }
}

void RecordingLineMaker::Fill(RecordingLine& line, std::size_t record) const {
  const DialogueRecord& said = records_.Record(record);
  const ScriptRecords& script = scripts_[script_of_[record]];
  line.id.clear();
  AppendAsUtf8(line.id, said.Reference, said.ScriptEncoding);
  AppendText(line.text, said);
  line.words = CountWords(line.text);
  FillAudio(line, said);
  line.cue_character.clear();
  line.cue.clear();
  // A line before without a text of its own (a variable's) gives the actor no cue.
  if (record > script.first) {
    const DialogueRecord& before = records_.Record(record - 1);
    AppendText(line.cue, before);
    if (!line.cue.empty()) {
      AppendCharacter(line.cue_character, before);
    }
  }
  line.direction.clear();
  AppendAsUtf8(line.direction, said.Direction, said.ScriptEncoding);
  line.file = script.name;
  line.line = said.ScriptLine;
}

void RecordingLineMaker::Count(RecordingLine& line, std::size_t record) const {
  const DialogueRecord& said = records_.Record(record);
  AppendText(line.text, said);
  line.words = CountWords(line.text);
  FillAudio(line, said);
}

// What the player reads: the language table's entry when a language is asked for, else the
// base table's, else the script's own text.
void RecordingLineMaker::AppendText(std::string& out, const DialogueRecord& record) const {
  out.clear();
  if (!record.Reference.empty()) {
    if (sources_.language != nullptr) {
      if (const auto text = sources_.language->Find(record.Reference)) {
        AppendTableTextInUtf8(out, *text, sources_.language_encoding);
        return;
      }
    }
    if (const auto text = sources_.base.Find(record.Reference)) {
      AppendTableTextInUtf8(out, *text, sources_.base_encoding);
      return;
    }
  }
  AppendAsUtf8(out, record.Sentence, record.ScriptEncoding);
}

void RecordingLineMaker::FillAudio(RecordingLine& line, const DialogueRecord& record) const {
  line.audio.clear();
  if (!record.AudioFile.empty()) {
    AppendAsUtf8(line.audio, record.AudioFile, record.ScriptEncoding);
    line.recorded = sources_.audio_files.Contains(record.AudioFile);
    return;
  }
  line.recorded = false;
  if (sources_.audio_pattern.empty() || record.Reference.empty()) {
    return;
  }
  scratch_.assign(sources_.audio_pattern);
  for (std::size_t at = scratch_.find("{id}"); at != std::string::npos;
       at = scratch_.find("{id}", at + record.Reference.size())) {
    scratch_.replace(at, 4, record.Reference);
  }
  line.recorded = sources_.audio_files.Contains(scratch_);
  AppendAsUtf8(line.audio, scratch_, record.ScriptEncoding);
}

}  // namespace dwelvane

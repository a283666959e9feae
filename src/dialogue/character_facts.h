#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "dialogue/project_paths.h"
#include "runtime/keyed_hash.h"
#include "runtime/text_arena.h"
#include "script/script_reader.h"

namespace dwelvane {

// What the scripts say about who speaks, kept while they are read and resolved when all
// are read (ResolveCharacters): a variable may be assigned in a script read later.
class CharacterFacts {
 public:
  // Scripts are known by their ProjectPaths number.
  static constexpr std::size_t kNoScript = ProjectPaths::kNone;

  // Keeps what a script's assignments, globals and includes say (copied).
  void NoteScript(std::size_t script, const ScriptFacts& facts,
                  const std::vector<std::size_t>& included_scripts);

  // Record `record` of the table was said by `receiver` in `script`.
  void NoteSpeaker(std::size_t record, std::size_t script, ScriptValue receiver);

  // Choice record `record` is said by the talk call of record `talk_record`.
  void NoteChoice(std::size_t record, std::size_t talk_record);

  struct KeptValue {
    ValueForm form = ValueForm::kOther;
    std::string_view text;
  };
  struct Assignment {
    std::string_view name;
    KeptValue value;
  };
  struct Script {
    std::vector<Assignment> assignments;
    std::vector<std::size_t> includes;
  };
  struct Speaker {
    std::size_t script = kNoScript;
    KeptValue receiver;
    std::int64_t said_by = -1;  // a choice: the record of the talk call that says it
  };

  const std::vector<Script>& Scripts() const { return scripts_; }
  const std::vector<std::string_view>& Globals() const { return globals_; }
  // Indexed by record; records without a note have kNoScript.
  const std::vector<Speaker>& Speakers() const { return speakers_; }

 private:
  KeptValue Keep(ScriptValue value) { return {value.form, texts_.Store(value.text)}; }
  Speaker& SpeakerOf(std::size_t record);

  struct SeenAssignment {
    std::string_view name;
    ValueForm form;
    std::string_view text;
    bool operator==(const SeenAssignment&) const = default;
  };
  struct SeenAssignmentHash {
    std::size_t operator()(const SeenAssignment& seen) const {
      return static_cast<std::size_t>(KeyedHash(seen.name, HashFold::kNone) ^
                                      (KeyedHash(seen.text, HashFold::kNone) >> 1) ^
                                      static_cast<std::uint64_t>(seen.form));
    }
  };

  TextArena texts_;
  KeptValue last_receiver_;
  std::unordered_set<SeenAssignment, SeenAssignmentHash> seen_;
  std::vector<Script> scripts_;
  std::vector<std::string_view> globals_;
  std::vector<Speaker> speakers_;
};

}  // namespace dwelvane

#include "dialogue/resolve_characters.h"

#include <numeric>
#include <unordered_map>

#include "runtime/keyed_hash.h"
#include "runtime/line_reader.h"
#include "runtime/text_operations.h"
#include "script/object_definitions.h"

namespace dwelvane {
namespace {

// A variable assigned from another no deeper than this is followed; a loop ends here.
constexpr int kDeepestAssignment = 8;

// The project's actors and entities, one character per group of objects that run the same
// script.
class Characters {
 public:
  Characters(const ProjectPaths& paths, DialogueTable& table) : paths_(paths), table_(table) {}

  void ReadDefinitions(const std::vector<std::string>& files,
                       const std::function<void(const IoError&)>& note_skipped) {
    std::string bytes;
    for (const std::string& file : files) {
      if (const IoError error = ReadWholeFile(file, bytes); error.Failed()) {
        note_skipped(error);
        continue;
      }
      const std::size_t first = objects_.size();
      ReadObjectDefinitions(bytes, objects_);
      if (objects_.size() > first) {
        first_of_file_.try_emplace(file, first);
      }
    }
    GroupByScript();
  }

  std::string_view OfScript(std::size_t script) const {
    const auto found = group_of_script_.find(script);
    return found == group_of_script_.end() ? std::string_view{} : names_[found->second];
  }
  std::string_view OfNode(std::string_view name) const {
    const auto found = object_of_name_.find(name);
    return found == object_of_name_.end() ? std::string_view{} : NameOf(found->second);
  }
  std::string_view OfFile(std::string_view name) const {
    const std::string file = paths_.Find(name);
    const auto found = file.empty() ? first_of_file_.end() : first_of_file_.find(file);
    return found == first_of_file_.end() ? std::string_view{} : NameOf(found->second);
  }

 private:
  std::size_t Root(std::size_t object) {
    while (parent_[object] != object) {
      object = parent_[object] = parent_[parent_[object]];
    }
    return object;
  }

  std::string_view NameOf(std::size_t object) const { return names_[group_[object]]; }

  // Objects that name one script are one character.
  void GroupByScript() {
    parent_.resize(objects_.size());
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
    std::unordered_map<std::size_t, std::size_t> object_of_script;
    for (std::size_t i = 0; i < objects_.size(); ++i) {
      object_of_name_.try_emplace(objects_[i].name, i);
      for (const std::string& script : objects_[i].scripts) {
        const std::size_t number = paths_.Number(paths_.Find(script));
        if (number == ProjectPaths::kNone) {
          continue;
        }
        const auto [found, added] = object_of_script.try_emplace(number, i);
        if (!added) {
          parent_[Root(i)] = Root(found->second);
        }
      }
    }
    NameGroups();
    for (const auto& [script, object] : object_of_script) {
      group_of_script_.try_emplace(script, group_[object]);
    }
  }

  // A group is named by a CAPTION one of its objects has, else by its first one's NAME.
  void NameGroups() {
    group_.resize(objects_.size());
    std::unordered_map<std::size_t, std::size_t> group_of_root;
    for (std::size_t i = 0; i < objects_.size(); ++i) {
      const auto [found, added] = group_of_root.try_emplace(Root(i), names_.size());
      if (added) {
        names_.emplace_back();
        captioned_.push_back(false);
      }
      const std::size_t group = found->second;
      group_[i] = group;
      const ObjectDefinition& object = objects_[i];
      if (!captioned_[group] && !object.caption.empty()) {
        names_[group] = table_.StoreText(object.caption);
        captioned_[group] = true;
      } else if (names_[group].empty()) {
        names_[group] = table_.StoreText(object.name);
      }
    }
  }

  const ProjectPaths& paths_;
  DialogueTable& table_;
  std::vector<ObjectDefinition> objects_;
  std::vector<std::size_t> parent_;
  std::vector<std::size_t> group_;
  std::vector<std::string_view> names_;  // by group
  std::vector<bool> captioned_;          // by group
  std::unordered_map<std::string, std::size_t, FileNameHash, FileNameEqual> first_of_file_;
  std::unordered_map<std::size_t, std::size_t> group_of_script_;
  std::unordered_map<std::string_view, std::size_t, AsciiCaseHash, AsciiCaseEqual> object_of_name_;
};

struct NameHash {
  std::size_t operator()(std::string_view name) const {
    return static_cast<std::size_t>(KeyedHash(name, HashFold::kNone));
  }
};

// A variable of one script.
struct ScriptName {
  std::size_t script;
  std::string_view name;
  bool operator==(const ScriptName&) const = default;
};
struct ScriptNameHash {
  std::size_t operator()(const ScriptName& key) const {
    return NameHash{}(key.name) ^ (key.script * 0x9E3779B97F4A7C15u);
  }
};

// Follows variables to the object they were assigned. Each variable is followed once: its
// answer is kept, and a variable met again while it is being followed (a = b; b = a)
// stands for nothing.
class Resolver {
 public:
  Resolver(const CharacterFacts& facts, const Characters& characters)
      : facts_(facts), characters_(characters) {
    for (const std::string_view name : facts.Globals()) {
      globals_.try_emplace(name);
    }
    const auto& scripts = facts.Scripts();
    for (std::size_t script = 0; script < scripts.size(); ++script) {
      for (const CharacterFacts::Assignment& assignment : scripts[script].assignments) {
        own_[{script, assignment.name}].push_back(assignment.value);
        if (const auto global = globals_.find(assignment.name); global != globals_.end()) {
          global->second.push_back({script, assignment.value});
        }
      }
    }
  }

  // The character `noted` stands for, else `speaker`. A line said by the same receiver in
  // the same script as the line before is that line's character.
  std::string_view ResolveOrKeep(const CharacterFacts::Speaker& noted, std::string_view speaker) {
    if (noted.script != last_.script || noted.receiver.form != last_.receiver.form ||
        noted.receiver.text != last_.receiver.text) {
      last_ = noted;
      last_found_ = Resolve(noted.script, noted.receiver);
    }
    return last_found_.empty() ? speaker : last_found_;
  }

  std::string_view Resolve(std::size_t script, CharacterFacts::KeptValue value, int depth = 0) {
    switch (value.form) {
      case ValueForm::kThis:
        return characters_.OfScript(script);
      case ValueForm::kGetNode:
        return characters_.OfNode(value.text);
      case ValueForm::kLoad:
        return characters_.OfFile(value.text);
      case ValueForm::kName:
        return ResolveVariable(script, value.text, depth);
      default:
        return {};
    }
  }

 private:
  struct Place {
    std::size_t script;
    CharacterFacts::KeptValue value;
  };

  // In the script itself, then in what it includes, then among the globals.
  std::string_view ResolveVariable(std::size_t script, std::string_view name, int depth) {
    if (depth >= kDeepestAssignment) {
      return {};
    }
    const auto [known, first_time] = answers_.try_emplace({script, name});
    if (!first_time) {
      return known->second;
    }
    std::string_view found = FromAssignments(script, name, depth);
    const std::vector<std::size_t>* includes =
        script < facts_.Scripts().size() ? &facts_.Scripts()[script].includes : nullptr;
    for (std::size_t i = 0; includes != nullptr && found.empty() && i < includes->size(); ++i) {
      found = ResolveVariable((*includes)[i], name, depth + 1);
    }
    if (found.empty()) {
      found = ResolveGlobal(name, depth);
    }
    answers_[{script, name}] = found;
    return found;
  }

  std::string_view FromAssignments(std::size_t script, std::string_view name, int depth) {
    const auto own = own_.find({script, name});
    if (own == own_.end()) {
      return {};
    }
    for (const CharacterFacts::KeptValue& value : own->second) {
      if (const std::string_view found = Resolve(script, value, depth + 1); !found.empty()) {
        return found;
      }
    }
    return {};
  }

  std::string_view ResolveGlobal(std::string_view name, int depth) {
    const auto global = globals_.find(name);
    if (global == globals_.end()) {
      return {};
    }
    const auto [known, first_time] = global_answers_.try_emplace(name);
    if (!first_time) {
      return known->second;
    }
    std::string_view found;
    for (std::size_t i = 0; found.empty() && i < global->second.size(); ++i) {
      found = Resolve(global->second[i].script, global->second[i].value, depth + 1);
    }
    global_answers_[name] = found;
    return found;
  }

  const CharacterFacts& facts_;
  const Characters& characters_;
  std::unordered_map<ScriptName, std::vector<CharacterFacts::KeptValue>, ScriptNameHash> own_;
  std::unordered_map<std::string_view, std::vector<Place>, NameHash> globals_;
  std::unordered_map<ScriptName, std::string_view, ScriptNameHash> answers_;
  std::unordered_map<std::string_view, std::string_view, NameHash> global_answers_;
  CharacterFacts::Speaker last_;
  std::string_view last_found_;
};

}  // namespace

void ResolveCharacters(DialogueTable& table, const CharacterFacts& facts, const ProjectPaths& paths,
                       const CharacterSources& sources,
                       const std::function<void(const IoError&)>& note_skipped) {
  Characters characters(paths, table);
  characters.ReadDefinitions(sources.definition_files, note_skipped);
  Resolver resolver(facts, characters);
  std::unordered_map<std::string_view, std::string_view, NameHash> aliases;
  for (const CharacterAlias& alias : sources.aliases) {
    aliases[table.StoreText(alias.speaker)] = table.StoreText(alias.character);
  }
  const auto& speakers = facts.Speakers();
  // Talk calls first: a choice takes the character of the call that says it, which may
  // come later in its script.
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    DialogueRecord& record = table.Record(i);
    const std::string_view speaker = TrimBlanks(record.Speaker);
    const CharacterFacts::Speaker* noted = i < speakers.size() ? &speakers[i] : nullptr;
    if (noted != nullptr && noted->said_by >= 0) {
      continue;
    }
    if (const auto alias = aliases.find(speaker); alias != aliases.end()) {
      record.Character = alias->second;
    } else if (noted != nullptr && noted->script != CharacterFacts::kNoScript) {
      record.Character = resolver.ResolveOrKeep(*noted, speaker);
    } else {
      record.Character = speaker;
    }
  }
  for (std::size_t i = 0; i < speakers.size() && i < table.DialogueCount; ++i) {
    if (speakers[i].said_by >= 0) {
      table.Record(i).Character =
          table.Record(static_cast<std::size_t>(speakers[i].said_by)).Character;
    }
  }
}

}  // namespace dwelvane

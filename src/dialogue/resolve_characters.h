#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialogue/character_facts.h"
#include "dialogue/dialogue_record.h"
#include "dialogue/project_paths.h"
#include "runtime/io_error.h"
#include "script/character_aliases.h"

namespace dwelvane {

// The file beside the .wpr where a team keeps its own names for speakers.
inline constexpr std::string_view kCharacterAliasFileName = "Dwelvane_Characters.txt";

// What characters are resolved from besides the scripts.
struct CharacterSources {
  std::vector<std::string> definition_files;  // .actor, .act3d, .entity and .scene files
  std::vector<CharacterAlias> aliases;        // the team's own: they win
};

// Sets the Character of every record: the alias of its speaker when the team keeps one;
// else the actor or entity its receiver stands for (this: the object whose SCRIPT the
// script is; Scene.GetNode("name"): the object of that NAME; a variable assigned one of
// these, or a loaded file, in its script, in a script that includes, or as a global), named
// by a CAPTION of the objects that run the same script, else by the first one's NAME;
// else the speaker without blanks around it. A choice is said by the character of the talk
// call that says it. A definition file that can't be read is noted as skipped.
void ResolveCharacters(DialogueTable& table, const CharacterFacts& facts, const ProjectPaths& paths,
                       const CharacterSources& sources,
                       const std::function<void(const IoError&)>& note_skipped);

}  // namespace dwelvane

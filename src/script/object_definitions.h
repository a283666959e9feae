#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

// One actor or entity a definition file describes: its NAME, CAPTION and every SCRIPT it
// names (as written: "\" between folders, relative to the package folder).
struct ObjectDefinition {
  std::string name;
  std::string caption;
  std::vector<std::string> scripts;
  std::int64_t line = 0;  // where its block starts, counted from 1
};

// Appends the objects of one definition file's text (.actor, .act3d, .entity, .scene): every
// ACTOR, ACTOR3DX or ENTITY block at any depth, in the order they open, each with the NAME,
// CAPTION and SCRIPT attributes of its own block (a nested ANIMATION or REGION has NAMEs of
// its own). Keywords are in any letter case. A block with neither a name, a caption nor a
// script is left out. A leading byte order mark is skipped; a "}" without its block is
// passed over, and a block the text leaves open still counts.
void ReadObjectDefinitions(std::string_view text, std::vector<ObjectDefinition>& out);

}  // namespace dwelvane

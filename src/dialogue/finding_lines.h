#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_check.h"

namespace dwelvane {

// For each finding, by its place in the list: its line's text and the text of the line
// above, both without the blanks around them. Empty for a finding on no script line (an
// orphan, on the language's table) and for a script that can't be read.
struct FindingLines {
  std::vector<std::string> text, above;
};

// Reads each script that has findings once; the findings' paths are relative to
// `project_folder`, with "/" between folders.
FindingLines ReadFindingLines(const Findings& findings, std::string_view project_folder);

// Keeps the findings, and their lines, for whose places `keep` says true; asks once for
// each, in order.
void KeepFindings(Findings& findings, FindingLines& lines,
                  const std::function<bool(std::size_t)>& keep);

// True when `line` or `above` holds a comment "// dwelvane: ignore KIND[,KIND...]" naming
// `kind`, or "// dwelvane: ignore all"; blanks may stand around each word.
bool IsSilenced(std::string_view line, std::string_view above, FindingKind kind);

}  // namespace dwelvane

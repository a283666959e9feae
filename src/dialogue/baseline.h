#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_check.h"
#include "dialogue/finding_lines.h"

namespace dwelvane {

// A finding of an earlier run, by what stays when lines are inserted or removed above it:
// its kind's name, its script and its line's text.
struct BaselineEntry {
  std::string kind, file, text;

  bool operator==(const BaselineEntry&) const = default;
};

// The entries of a findings file: {"findings": [{"kind": ..., "file": ..., "text": ...},
// ...]}, other members passed over. False, with the reason in `error`, when it is no such
// JSON text.
bool ReadBaseline(std::string_view bytes, std::vector<BaselineEntry>& entries, std::string& error);

// Drops the findings `baseline` holds, each entry at most one of them, and their `lines`.
void DropBaselineFindings(const std::vector<BaselineEntry>& baseline, Findings& findings,
                          FindingLines& lines);

}  // namespace dwelvane

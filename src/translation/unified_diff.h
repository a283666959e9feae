#pragma once

#include <string>
#include <string_view>

namespace dwelvane {

// Appends the changes from `before` to `after` as a unified diff ("--- a/NAME",
// "+++ b/NAME", hunks with three lines of context), as `patch -p1` applies it; nothing
// when they are equal. The edits must keep the lines in step: a line changes in place, and
// lines may be added or removed at the end only (as when IDs go into a script's lines and
// entries at a table's end). Lines end at LF; each is written with its own bytes.
void AppendUnifiedDiff(std::string& out, std::string_view name, std::string_view before,
                       std::string_view after);

}  // namespace dwelvane

#pragma once

#include <string>

#include "runtime/line_reader.h"
#include "statistics/project_statistics.h"

namespace dwelvane {

// Adds the lines, the characters other than spaces, the dialogue lines and those of them
// with a speech audio file of one .script or .inc file. A file that can't be opened or
// read to its end adds nothing and says why.
IoError MeasureScript(const WalkedFile& file, ProjectStatistics& statistics, LineReader& reader);

// Adds the lines of one .items file that hold "ITEM"; nothing, and why, as above.
IoError CountInventoryItems(const WalkedFile& file, ProjectStatistics& statistics,
                            LineReader& reader);

}  // namespace dwelvane

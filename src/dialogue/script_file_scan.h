#pragma once

#include <string>

#include "dialogue/dialogue_record.h"
#include "runtime/folder_walk.h"
#include "runtime/line_reader.h"

namespace dwelvane {

// Appends one record per talk line of the script, in line order. A file that can't be
// opened or read to its end adds nothing and says why. `reader` is reused from file to
// file.
IoError ScanScriptFile(const WalkedFile& script, DialogueTable& table, LineReader& reader);

}  // namespace dwelvane

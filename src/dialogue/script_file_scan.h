#pragma once

#include <string>

#include "dialogue/dialogue_record.h"
#include "runtime/line_reader.h"

namespace dwelvane {

// Appends one record per talk line of the script `folder`/`name`, in line order. A file
// that can't be opened adds nothing. `reader` is reused from file to file.
void ScanScriptFile(const std::string& folder, const std::string& name, DialogueTable& table,
                    LineReader& reader);

}  // namespace dwelvane

#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dialogue/dialogue_record.h"

namespace dwelvane {

// The records of one script, which stand together in the table.
struct ScriptRecords {
  std::size_t first = 0;
  std::size_t count = 0;
  std::string path;
  std::string name;  // below the project folder, "/" between names
};

// The records' scripts in the order of their names below `project_folder` (byte by byte,
// "/" between names), which is the same on every machine, unlike the order of a walk.
std::vector<ScriptRecords> GroupByScriptInNameOrder(const DialogueTable& records,
                                                    const std::string& project_folder);

// The path below the project folder with "/" between names.
std::string NameInProject(const std::string& path, const std::string& project_folder);

}  // namespace dwelvane

#include "translation/script_records.h"

#include <algorithm>

#include "runtime/path_separator.h"

namespace dwelvane {

std::vector<ScriptRecords> GroupByScriptInNameOrder(const DialogueTable& records,
                                                    const std::string& project_folder) {
  std::vector<ScriptRecords> groups;
  for (std::size_t i = 0; i < records.DialogueCount; ++i) {
    const DialogueRecord& record = records.Record(i);
    // Each script's folder and name are stored once, for all of its records.
    if (!groups.empty()) {
      const DialogueRecord& first = records.Record(groups.back().first);
      if (first.ScriptName.data() == record.ScriptName.data() &&
          first.ScriptLocation.data() == record.ScriptLocation.data()) {
        ++groups.back().count;
        continue;
      }
    }
    std::string path = std::string(record.ScriptLocation) + std::string(record.ScriptName);
    std::string name = NameInProject(path, project_folder);
    groups.push_back({i, 1, std::move(path), std::move(name)});
  }
  std::sort(groups.begin(), groups.end(),
            [](const ScriptRecords& a, const ScriptRecords& b) { return a.name < b.name; });
  return groups;
}

std::string NameInProject(const std::string& path, const std::string& project_folder) {
  std::string name = path.starts_with(project_folder) ? path.substr(project_folder.size()) : path;
  if constexpr (kPathSeparator != '/') {
    std::replace(name.begin(), name.end(), kPathSeparator, '/');
  }
  return name;
}

}  // namespace dwelvane

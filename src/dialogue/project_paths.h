#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dialogue/file_name_compare.h"
#include "runtime/folder_walk.h"

namespace dwelvane {

// The project's files that scripts and definition files name (scripts, included files,
// actors, entities, scenes), found by the path relative to a package folder as the engine
// finds them: ASCII letter case ignored, "\" and "/" alike.
class ProjectPaths {
 public:
  // `project_folder` ends with the path separator; `packages` are the folders the project's
  // .wpr lists, relative to it (ReadPackageFolders).
  ProjectPaths(std::string project_folder, const std::vector<std::string>& packages);

  void Add(const WalkedFile& file);

  // The file that `name` (relative to a package folder, or to the project folder) names;
  // nullptr when no package holds it.
  const std::string* Find(std::string_view name) const;

 private:
  std::string project_folder_;
  std::vector<std::string> packages_;  // each ending with "/", the project folder ("") last
  std::unordered_map<std::string, std::string, FileNameHash, FileNameEqual> by_relative_path_;
  mutable std::string key_;
};

// True for the names of the files a ProjectPaths keeps.
bool IsScriptOrDefinitionFile(std::string_view name);

// True for the files that describe actors and entities: .actor, .act3d, .entity, .scene.
bool IsDefinitionFile(std::string_view name);

}  // namespace dwelvane

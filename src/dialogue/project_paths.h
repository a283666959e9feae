#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dialogue/file_name_compare.h"
#include "runtime/folder_walk.h"
#include "runtime/text_arena.h"

namespace dwelvane {

// The project's files that scripts and definition files name (scripts, included files,
// actors, entities, scenes), found by the path relative to a package folder as the engine
// finds them: ASCII letter case ignored, "\" and "/" alike. Each file has a number, given
// in the order they are added, and is read at most once.
class ProjectPaths {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // `project_folder` ends with the path separator; `packages` are the folders the project's
  // .wpr lists, relative to it (ReadPackageFolders).
  ProjectPaths(std::string project_folder, const std::vector<std::string>& packages);

  void Add(const WalkedFile& file);

  std::size_t Count() const { return read_.size(); }

  // The number of the file at `path`; kNone for a file not added.
  std::size_t Number(std::string_view path) const;

  // The path of the file that `name` (relative to a package folder, or to the project
  // folder) names; empty when no package holds it.
  std::string Find(std::string_view name) const;

  // Marks file `number` as read; false when it was marked before. A file not added
  // (kNone) is never marked.
  bool MarkRead(std::size_t number);

 private:
  std::string project_folder_;
  std::vector<std::string> packages_;  // each ending with "/", the project folder ("") last
  TextArena relative_paths_;           // the file system's bytes after the project folder
  // Names that differ only in letter case are different files on some systems: a look-up
  // by name ignores case, a file's own number does not.
  std::unordered_multimap<std::string_view, std::size_t, FileNameHash, FileNameEqual> numbers_;
  std::vector<bool> read_;
  mutable std::string key_;
};

// True for the names of the files a ProjectPaths keeps.
bool IsScriptOrDefinitionFile(std::string_view name);

// True for the files that describe actors and entities: .actor, .act3d, .entity, .scene.
bool IsDefinitionFile(std::string_view name);

}  // namespace dwelvane

#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "dialogue/file_name_compare.h"
#include "runtime/text_arena.h"

namespace dwelvane {

// The files of a project, to tell whether an audio file a line names exists: a name is
// there when some file's path, relative to the project folder, is the name or ends in "/"
// and the name, compared as FileNameEqual does. Paths are kept by their last component,
// so a look-up compares only the files of that name and allocates nothing.
class ProjectFileIndex {
 public:
  void Add(std::string_view relative_path);
  bool Contains(std::string_view name) const;

  // Hands `take` the path of each file the name stands for, as Contains finds them.
  template <typename Take>
  void ForEachFileNamed(std::string_view name, const Take& take) const {
    const auto [first, last] = by_last_name_.equal_range(LastComponent(name));
    for (auto file = first; file != last; ++file) {
      if (EndsInName(file->second, name)) {
        take(file->second);
      }
    }
  }
  // Hands `take` the path of every file, in no particular order.
  template <typename Take>
  void ForEachFile(const Take& take) const {
    for (const auto& [last_name, path] : by_last_name_) {
      take(path);
    }
  }

  static std::string_view LastComponent(std::string_view path);

 private:
  static bool EndsInName(std::string_view path, std::string_view name);

  TextArena paths_;
  std::string in_code_page_;
  std::unordered_multimap<std::string_view, std::string_view, FileNameHash, FileNameEqual>
      by_last_name_;
};

}  // namespace dwelvane

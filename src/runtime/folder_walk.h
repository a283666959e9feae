#pragma once

#include <functional>
#include <string>

namespace dwelvane {

struct FolderVisitor {
  // Called for every file entry, with the folder (no trailing separator) and the name.
  std::function<void(const std::string& folder, const std::string& name)> visit_file;
  // Called after each subfolder has been walked; the window drains its events here.
  std::function<void()> after_subfolder;
};

// Walks `folder` depth first in listing order, entering every subfolder but "." and "..";
// a subfolder that is already on the path from `folder` down to it (a link loop) is not
// entered. A relative or empty `folder` is taken relative to the program folder. A folder
// that can't be listed yields nothing.
void WalkFolder(const std::string& folder, const FolderVisitor& visitor);

}  // namespace dwelvane

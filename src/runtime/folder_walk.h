#pragma once

#include <functional>
#include <string>

#include "runtime/platform_file.h"

namespace dwelvane {

// A file the walk met: its folder (no trailing separator), its name, and both joined.
struct WalkedFile {
  const std::string& folder;
  const std::string& name;
  const std::string& path;
  bool listed_regular = false;  // the listing said it is a regular file
  // The folder opened for lookups (platform::OpenFolderForLookup), or kNoFile.
  platform::FileHandle folder_handle = platform::kNoFile;
};

struct FolderVisitor {
  std::function<void(const WalkedFile& file)> visit_file;
  // Called after each subfolder has been walked; the window drains its events here.
  std::function<void()> after_subfolder;
  // Called for each folder that can't be listed, with why; none when empty.
  std::function<void(const IoError& unlisted)> unlisted_folder = {};
};

// Walks `folder` depth first in listing order, entering every subfolder but "." and "..";
// a subfolder that is already on the path from `folder` down to it (a link loop) is not
// entered. A relative or empty `folder` is taken relative to the program folder. A folder
// that can't be listed yields nothing but the call of `unlisted_folder`.
void WalkFolder(const std::string& folder, const FolderVisitor& visitor);

}  // namespace dwelvane

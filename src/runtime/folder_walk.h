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
  // Called for each folder that can't be listed, with why, and for each link to a folder
  // outside the walked folder that is not followed (kLinkLeadsOutOfTheProject); none
  // when empty.
  std::function<void(const IoError& unlisted)> unlisted_folder = {};
  // Asked after each subfolder (after `after_subfolder`): true ends the walk there, as
  // when the user cancels the command; never asked when empty.
  std::function<bool()> stop = {};
};

// How far a walk goes.
struct WalkRules {
  // Links to folders outside the walked folder are followed too; each folder is still
  // walked once.
  bool follow_outside_links = false;
};

// Walks `folder` depth first in listing order, entering every subfolder but "." and "..".
// Each folder (known by its identity, whatever path reaches it) is walked once, where the
// walk first reaches it: a link loop, a chain of links or an alias of a sibling folder
// costs what the real folders cost. A link to a folder whose real path is outside `folder`
// is followed only when `rules` say so. A relative or empty `folder` is taken relative to
// the program folder. A folder that can't be listed yields nothing but the call of
// `unlisted_folder`.
void WalkFolder(const std::string& folder, const FolderVisitor& visitor, WalkRules rules = {});

}  // namespace dwelvane

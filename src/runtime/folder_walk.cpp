#include "runtime/folder_walk.h"

#include <algorithm>
#include <vector>

#include "runtime/directory_listing.h"
#include "runtime/path_separator.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

class FolderWalker {
 public:
  explicit FolderWalker(const FolderVisitor& visitor) : visitor_(visitor) {}

  void Walk(const std::string& folder) {
    FolderIdentity identity;
    const bool known = ReadFolderIdentity(folder, identity);
    if (known) {
      if (std::find(path_.begin(), path_.end(), identity) != path_.end()) {
        return;
      }
      path_.push_back(identity);
    }
    WalkEntries(folder);
    if (known) {
      path_.pop_back();
    }
  }

 private:
  void WalkEntries(const std::string& folder) {
    DirectoryListing listing;
    if (const IoError error = listing.DirListOpen(folder); error.Failed()) {
      if (visitor_.unlisted_folder) {
        visitor_.unlisted_folder(error.On(folder));
      }
      return;
    }
    std::string child = folder;
    child.push_back(kPathSeparator);
    const std::size_t prefix = child.size();
    for (EntryKind kind; (kind = listing.DirListNext()) != kNoEntry;) {
      const std::string& name = listing.DirListEntryName();
      if (kind != kFileEntry && (name == "." || name == "..")) {
        continue;
      }
      child.resize(prefix);
      child.append(name);
      if (kind == kFileEntry) {
        visitor_.visit_file({folder, name, child, listing.DirListEntryIsRegular()});
      } else {
        Walk(child);
        visitor_.after_subfolder();
      }
    }
  }

  const FolderVisitor& visitor_;
  std::vector<FolderIdentity> path_;
};

std::string WithoutTrailingSeparator(std::string folder) {
  if (!folder.empty() && folder.back() == kPathSeparator) {
    folder.pop_back();
  }
  return folder;
}

}  // namespace

void WalkFolder(const std::string& folder, const FolderVisitor& visitor) {
  FolderWalker(visitor).Walk(WithoutTrailingSeparator(ResolveProgramPath(folder)));
}

}  // namespace dwelvane

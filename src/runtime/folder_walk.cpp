#include "runtime/folder_walk.h"

#include <unordered_set>

#include "runtime/directory_listing.h"
#include "runtime/path_separator.h"
#include "runtime/program_paths.h"
#include "runtime/project_bounds.h"

namespace dwelvane {
namespace {

struct IdentityHash {
  std::size_t operator()(const FolderIdentity& identity) const {
    return static_cast<std::size_t>((identity.node * 0x9E3779B97F4A7C15u) ^ identity.device);
  }
};

class FolderWalker {
 public:
  FolderWalker(const FolderVisitor& visitor, WalkRules rules, const std::string& root)
      : visitor_(visitor),
        rules_(rules),
        real_root_(rules.follow_outside_links ? std::string() : platform::RealPathOf(root)) {}

  void Walk(const std::string& folder) {
    FolderIdentity identity;
    // A folder reached a second time, through a link or a loop, was walked where the walk
    // first reached it. One whose identity can't be told is walked all the same.
    if (ReadFolderIdentity(folder, identity) && !walked_.insert(identity).second) {
      return;
    }
    WalkEntries(folder);
  }

 private:
  void WalkEntries(const std::string& folder) {
    DirectoryListing listing;
    if (const IoError error = listing.DirListOpen(folder); error.Failed()) {
      NoteUnlisted(error.On(folder));
      return;
    }
    std::string child = folder;
    child.push_back(kPathSeparator);
    const std::size_t prefix = child.size();
    for (EntryKind kind; !stopped_ && (kind = listing.DirListNext()) != kNoEntry;) {
      const std::string& name = listing.DirListEntryName();
      if (kind != kFileEntry && (name == "." || name == "..")) {
        continue;
      }
      child.resize(prefix);
      child.append(name);
      // A link out of the project is passed over, whether it names a file or a folder.
      const bool leads_out = listing.DirListEntryIsLink() && LeadsOut(child);
      if (kind == kFileEntry) {
        if (leads_out) {
          NoteUnlisted({IoOperation::kOpen, child, kLinkLeadsOutOfTheProject});
        } else {
          visitor_.visit_file({folder, name, child, listing.DirListEntryIsRegular()});
        }
        continue;
      }
      if (leads_out) {
        NoteUnlisted({IoOperation::kList, child, kLinkLeadsOutOfTheProject});
      } else {
        Walk(child);
      }
      // A walk stopped inside the subfolder is over for every folder around it too.
      if (!stopped_) {
        visitor_.after_subfolder();
        stopped_ = visitor_.stop && visitor_.stop();
      }
    }
  }

  // A link that leads nowhere leads nowhere out: it is met as the file it seems, which
  // can't be read.
  bool LeadsOut(const std::string& link) const {
    if (rules_.follow_outside_links) {
      return false;
    }
    const std::string real = platform::RealPathOf(link);
    return !real.empty() && !LiesWithin(real, real_root_);
  }

  void NoteUnlisted(const IoError& unlisted) const {
    if (visitor_.unlisted_folder) {
      visitor_.unlisted_folder(unlisted);
    }
  }

  const FolderVisitor& visitor_;
  const WalkRules rules_;
  const std::string real_root_;  // empty when links out are followed
  std::unordered_set<FolderIdentity, IdentityHash> walked_;
  bool stopped_ = false;
};

std::string WithoutTrailingSeparator(std::string folder) {
  if (!folder.empty() && folder.back() == kPathSeparator) {
    folder.pop_back();
  }
  return folder;
}

}  // namespace

void WalkFolder(const std::string& folder, const FolderVisitor& visitor, WalkRules rules) {
  const std::string root = WithoutTrailingSeparator(ResolveProgramPath(folder));
  FolderWalker(visitor, rules, root).Walk(root);
}

}  // namespace dwelvane

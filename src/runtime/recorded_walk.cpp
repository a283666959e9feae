#include "runtime/recorded_walk.h"

#include "runtime/path_separator.h"
#include "runtime/platform_file.h"

namespace dwelvane {

std::size_t RecordedWalk::FolderIndex(const std::string& folder) {
  if (folders_.empty() || folders_.back() != folder) {
    folders_.push_back(folder);
  }
  return folders_.size() - 1;
}

void RecordedWalk::Record(const std::string& folder, WalkRules rules,
                          const std::function<bool(const WalkedFile&)>& keep,
                          const std::function<void()>& after_subfolder,
                          const std::function<bool()>& stop) {
  const auto visit_file = [&](const WalkedFile& file) {
    if (keep(file)) {
      met_.push_back(
          {FolderIndex(file.folder), names_.Store(file.name), Met::kFile, file.listed_regular});
      ++file_count_;
    }
  };
  const auto subfolder_end = [&] {
    after_subfolder();
    met_.push_back({0, {}, Met::kSubfolderEnd});
  };
  const auto unlisted_folder = [&](const IoError& unlisted) {
    met_.push_back({FolderIndex(unlisted.path), {}, Met::kUnlistedFolder, false, unlisted.code});
  };
  WalkFolder(folder, {visit_file, subfolder_end, unlisted_folder, stop}, rules);
}

namespace {

// The folder of the files being replayed, opened once for all of them.
class OpenFolder {
 public:
  ~OpenFolder() { Close(); }

  platform::FileHandle For(std::size_t index, const std::string& folder) {
    if (index != index_) {
      Close();
      handle_ = platform::OpenFolderForLookup(folder);
      index_ = index;
    }
    return handle_;
  }

 private:
  void Close() {
    if (handle_ != platform::kNoFile) {
      static_cast<void>(platform::CloseFile(handle_));
      handle_ = platform::kNoFile;
    }
  }

  std::size_t index_ = static_cast<std::size_t>(-1);
  platform::FileHandle handle_ = platform::kNoFile;
};

}  // namespace

void RecordedWalk::Replay(const FolderVisitor& visitor) const {
  std::string name;
  std::string path;
  OpenFolder open_folder;
  for (const Entry& entry : met_) {
    if (entry.met == Met::kSubfolderEnd) {
      visitor.after_subfolder();
      if (visitor.stop && visitor.stop()) {
        return;
      }
      continue;
    }
    const std::string& folder = folders_[entry.folder];
    if (entry.met == Met::kUnlistedFolder) {
      if (visitor.unlisted_folder) {
        visitor.unlisted_folder({IoOperation::kList, folder, entry.unlisted_code});
      }
      continue;
    }
    name.assign(entry.name);
    path.assign(folder).push_back(kPathSeparator);
    path.append(name);
    visitor.visit_file(
        {folder, name, path, entry.listed_regular, open_folder.For(entry.folder, folder)});
  }
}

bool VanishedSinceTheWalk(const WalkedFile& file) {
  return !platform::EntryIsThere(file.path);
}

}  // namespace dwelvane

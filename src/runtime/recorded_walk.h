#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/folder_walk.h"
#include "runtime/text_arena.h"

namespace dwelvane {

// The files one walk kept, with the folders it couldn't list and the ends of its
// subfolders in their places, so that a second pass over the project needs no second walk
// and still meets everything in walk order.
class RecordedWalk {
 public:
  std::size_t FileCount() const { return file_count_; }

  // Walks `folder` as WalkFolder does with `rules`, keeping the files `keep` says yes to;
  // `after_subfolder` runs after each subfolder, as the walk's own does, and `stop` (when
  // given) is asked then whether to end the walk.
  void Record(const std::string& folder, WalkRules rules,
              const std::function<bool(const WalkedFile&)>& keep,
              const std::function<void()>& after_subfolder, const std::function<bool()>& stop = {});

  // Calls `visitor` for what the walk met, in its order, up to where its `stop` says so.
  void Replay(const FolderVisitor& visitor) const;

 private:
  enum class Met { kFile, kUnlistedFolder, kSubfolderEnd };

  struct Entry {
    std::size_t folder;  // in folders_
    std::string_view name;
    Met met = Met::kFile;
    bool listed_regular = false;
    int unlisted_code = 0;  // why an unlisted folder couldn't be listed
  };

  std::size_t FolderIndex(const std::string& folder);

  std::vector<std::string> folders_;
  std::vector<Entry> met_;
  std::size_t file_count_ = 0;
  TextArena names_;
};

// True when a file the walk met is no longer there: it is no longer part of the project,
// as it wouldn't be had the scan walked the folders again, and is neither counted nor
// reported as unreadable. The entry itself is looked at, not what it leads to: a link
// that leads nowhere was so at the walk too, and is a file that can't be read.
bool VanishedSinceTheWalk(const WalkedFile& file);

}  // namespace dwelvane

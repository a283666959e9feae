#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <vector>
#include "runtime/io_error.h"

namespace dwelvane {

struct DirectoryEntry {
  std::string name;
  bool is_directory = false;
  bool is_regular_file = false;  // known from the listing itself; false when it didn't say
  bool is_link = false;          // a link (a reparse point on Windows), to a folder or not
};

// What DirListNext delivers.
enum EntryKind : int { kNoEntry = 0, kFileEntry = 1, kDirectoryEntry = 2 };

// One listing of one folder: "." and ".." first, then every other entry, hidden ones
// included, in the platform's listing order (on POSIX sorted as NTFS sorts, see
// ReadDirectoryEntries). Links to folders count as folders.
class DirectoryListing {
 public:
  // Lists `folder` (relative to the program folder when relative). Fails when the folder
  // can't be listed; the listing then delivers nothing.
  IoError DirListOpen(const std::string& folder);

  EntryKind DirListNext();

  // The name of the entry the last DirListNext delivered.
  const std::string& DirListEntryName() const { return name_; }
  // Whether the listing said that entry is a regular file (not a link, pipe or device).
  bool DirListEntryIsRegular() const { return regular_; }
  // Whether that entry is a link (a folder's entry may lead anywhere).
  bool DirListEntryIsLink() const { return link_; }

 private:
  std::vector<DirectoryEntry> entries_;
  std::size_t next_ = 0;
  std::string name_;
  bool regular_ = false;
  bool link_ = false;
};

// Platform part: appends every entry of `folder` but "." and ".." to `entries`, in the
// order described above. Fails when the folder can't be opened.
IoError ReadDirectoryEntries(const std::string& folder, std::vector<DirectoryEntry>& entries);

// What makes a folder the same folder whatever path reaches it (device and node).
struct FolderIdentity {
  std::uint64_t device = 0;
  std::uint64_t node = 0;
  bool operator==(const FolderIdentity&) const = default;
};

[[nodiscard]] bool ReadFolderIdentity(const std::string& folder, FolderIdentity& identity);

bool IsReadableFolder(const std::string& folder);

// Makes `folder` and the folders above it where they are missing.
[[nodiscard]] bool MakeFolders(const std::string& folder);

}  // namespace dwelvane

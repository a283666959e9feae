#include "runtime/directory_listing.h"

#include <filesystem>

#include "runtime/program_paths.h"

namespace dwelvane {

IoError DirectoryListing::DirListOpen(const std::string& folder) {
  next_ = 0;
  entries_.clear();
  entries_.push_back({".", true});
  entries_.push_back({"..", true});
  IoError error = ReadDirectoryEntries(ResolveProgramPath(folder), entries_);
  if (error.Failed()) {
    entries_.clear();
  }
  return error;
}

EntryKind DirectoryListing::DirListNext() {
  if (next_ >= entries_.size()) {
    entries_.clear();
    next_ = 0;
    return kNoEntry;
  }
  DirectoryEntry& entry = entries_[next_++];
  name_.swap(entry.name);
  regular_ = entry.is_regular_file;
  link_ = entry.is_link;
  return entry.is_directory ? kDirectoryEntry : kFileEntry;
}

bool IsReadableFolder(const std::string& folder) {
  std::vector<DirectoryEntry> entries;
  return !ReadDirectoryEntries(ResolveProgramPath(folder), entries).Failed();
}

bool MakeFolders(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return !error && std::filesystem::is_directory(folder, error);
}

}  // namespace dwelvane

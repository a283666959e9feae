#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "runtime/directory_listing.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

unsigned char UpperAscii(unsigned char byte) {
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 0x20) : byte;
}

// NTFS keeps names ordered by their upper-cased form; sorting the same way gives a
// project the same rows on Linux as on Windows. Equal folded names fall back to bytes.
bool ComesBefore(const DirectoryEntry& left, const DirectoryEntry& right) {
  const std::string& a = left.name;
  const std::string& b = right.name;
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = UpperAscii(static_cast<unsigned char>(a[i]));
    const unsigned char y = UpperAscii(static_cast<unsigned char>(b[i]));
    if (x != y) {
      return x < y;
    }
  }
  if (a.size() != b.size()) {
    return a.size() < b.size();
  }
  return a < b;
}

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// The entry's kinds as the listing tells them, asking the system only where it doesn't.
DirectoryEntry EntryFor(const std::string& folder, const dirent& entry) {
  DirectoryEntry listed{entry.d_name, entry.d_type == DT_DIR, entry.d_type == DT_REG,
                        entry.d_type == DT_LNK};
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
    return listed;
  }
  std::string path = folder;
  if (path.empty() || path.back() != '/') {
    path.push_back('/');
  }
  path.append(entry.d_name);
  struct stat status {};
  if (entry.d_type == DT_UNKNOWN && ::lstat(path.c_str(), &status) == 0) {
    listed.is_link = S_ISLNK(status.st_mode);
  }
  listed.is_directory = ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
  return listed;
}

struct DirCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

}  // namespace

IoError ReadDirectoryEntries(const std::string& folder, std::vector<DirectoryEntry>& entries) {
  const std::unique_ptr<DIR, DirCloser> directory(::opendir(folder.c_str()));
  if (!directory) {
    return {IoOperation::kList, folder, errno};
  }
  const std::size_t first = entries.size();
  while (const dirent* entry = ::readdir(directory.get())) {
    if (!IsDotEntry(entry->d_name)) {
      entries.push_back(EntryFor(folder, *entry));
    }
  }
  std::sort(entries.begin() + static_cast<std::ptrdiff_t>(first), entries.end(), ComesBefore);
  return {};
}

bool ReadFolderIdentity(const std::string& folder, FolderIdentity& identity) {
  struct stat status {};
  if (::stat(ResolveProgramPath(folder).c_str(), &status) != 0) {
    return false;
  }
  identity = {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  return true;
}

}  // namespace dwelvane

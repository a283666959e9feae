#include <windows.h>

#include "runtime/directory_listing.h"
#include "runtime/program_paths.h"
#include "runtime/text_conversion.h"

namespace dwelvane {

// Entries come in the order the file system keeps them (NTFS: by upper-cased name).
IoError ReadDirectoryEntries(const std::string& folder, std::vector<DirectoryEntry>& entries) {
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\') {
    pattern.push_back('\\');
  }
  pattern.append("*.*");
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(ToWidePath(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    // An empty folder has no entry at all; it can still be listed.
    const DWORD code = GetLastError();
    return {IoOperation::kList, folder, code == ERROR_FILE_NOT_FOUND ? 0 : static_cast<int>(code)};
  }
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") {
      entries.push_back({FromWide(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         false, (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return {};
}

bool ReadFolderIdentity(const std::string& folder, FolderIdentity& identity) {
  const HANDLE handle = CreateFileW(ToWidePath(ResolveProgramPath(folder)).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  BY_HANDLE_FILE_INFORMATION information;
  const bool known = GetFileInformationByHandle(handle, &information) != 0;
  CloseHandle(handle);
  if (known) {
    identity = {information.dwVolumeSerialNumber,
                (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
  }
  return known;
}

}  // namespace dwelvane

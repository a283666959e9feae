#include <windows.h>

#include "runtime/file_faults.h"
#include "runtime/platform_file.h"

namespace dwelvane::platform {
namespace {

HANDLE AsHandle(FileHandle file) {
  return reinterpret_cast<HANDLE>(file);
}
FileHandle FromHandle(HANDLE handle) {
  return reinterpret_cast<FileHandle>(handle);
}

// True when the test seam makes this call fail; the system's last error then says so.
bool FailsByRule(FileCall call, std::string_view path = {}, std::size_t size = 0) {
  if (InjectedFileFault({.call = call, .path = path, .size = size}) == 0) {
    return false;
  }
  SetLastError(call == FileCall::kRead ? ERROR_READ_FAULT : ERROR_WRITE_FAULT);
  return true;
}

}  // namespace

PathKind KindOfPath(const std::string& path) {
  const HANDLE file =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return PathKind::kMissing;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  const bool on_disk = GetFileType(file) == FILE_TYPE_DISK &&
                       GetFileInformationByHandle(file, &information) &&
                       (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  CloseHandle(file);
  return on_disk ? PathKind::kRegularFile : PathKind::kOther;
}

// Links are rare on Windows and MoveFileEx replaces what they name.
std::string ResolveLinks(const std::string& path) {
  return path;
}

// The new file inherits the folder's permissions, as any new file there does.
FileHandle CreateFileBeside(const std::string& target, NewFileAccess, std::string& created_path) {
  const std::size_t slash = target.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  char name[MAX_PATH + 1] = {};
  if (FailsByRule(FileCall::kOpen, folder) ||
      GetTempFileNameA(folder.c_str(), "dwv", 0, name) == 0) {
    return kNoFile;
  }
  const HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileA(name);
    return kNoFile;
  }
  created_path = name;
  return FromHandle(file);
}

// GetFileType asks the open handle, not the disk: it is kept whatever the listing said.
FileHandle OpenFileForReading(const std::string& path, bool) {
  if (FailsByRule(FileCall::kOpen, path)) {
    return kNoFile;
  }
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return kNoFile;
  }
  // Only files on a disk: a pipe or a device named like a script must not block the walk.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return kNoFile;
  }
  return FromHandle(file);
}

FileHandle OpenFolderForLookup(const std::string&) {
  return kNoFile;
}

FileHandle OpenFileInFolderForReading(FileHandle, const std::string&, const std::string& path,
                                      bool listed_regular) {
  return OpenFileForReading(path, listed_regular);
}

// The user's own registry keeps Windows settings, so both kinds of access are the same.
FileHandle CreateFileForWriting(const std::string& path, NewFileAccess) {
  if (FailsByRule(FileCall::kOpen, path)) {
    return kNoFile;
  }
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? kNoFile : FromHandle(file);
}

FileHandle StandardOutputHandle() {
  return FromHandle(GetStdHandle(STD_OUTPUT_HANDLE));
}

std::uint64_t SizeOfOpenFile(FileHandle file) {
  LARGE_INTEGER size{};
  return GetFileSizeEx(AsHandle(file), &size) && size.QuadPart > 0
             ? static_cast<std::uint64_t>(size.QuadPart)
             : 0;
}

bool ReadFromFile(FileHandle file, char* buffer, std::size_t size, std::size_t& got) {
  got = 0;
  if (FailsByRule(FileCall::kRead, {}, size)) {
    return false;
  }
  DWORD read = 0;
  const DWORD wanted = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
  if (!ReadFile(AsHandle(file), buffer, wanted, &read, nullptr)) {
    return false;
  }
  got = read;
  return true;
}

bool WriteToFile(FileHandle file, const char* data, std::size_t size) {
  if (FailsByRule(FileCall::kWrite, {}, size)) {
    return false;
  }
  while (size > 0) {
    DWORD put = 0;
    const DWORD chunk = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    if (!WriteFile(AsHandle(file), data, chunk, &put, nullptr) || put == 0) {
      return false;
    }
    data += put;
    size -= put;
  }
  return true;
}

bool SyncFile(FileHandle file) {
  return FlushFileBuffers(AsHandle(file)) != 0;
}

bool CloseFile(FileHandle file) {
  if (file == StandardOutputHandle()) {
    return true;
  }
  if (FailsByRule(FileCall::kClose)) {
    CloseHandle(AsHandle(file));
    return false;
  }
  return CloseHandle(AsHandle(file)) != 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return !FailsByRule(FileCall::kRename, to) &&
         MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveFile(const std::string& path) {
  DeleteFileA(path.c_str());
}

// MOVEFILE_WRITE_THROUGH has made the rename durable already.
void SyncFolderOf(const std::string&) {}

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

bool StandardOutputShowsUtf8() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0 &&
         GetConsoleOutputCP() == CP_UTF8;
}

// Windows has no file-size limit signal: such a write fails on its own.
void LetWritesBeyondTheSizeLimitFail() {}

}  // namespace dwelvane::platform

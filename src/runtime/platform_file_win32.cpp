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

FileHandle OpenFileForReading(const std::string& path) {
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

std::size_t ReadFromFile(FileHandle file, char* buffer, std::size_t size) {
  if (FailsByRule(FileCall::kRead, {}, size)) {
    return 0;
  }
  DWORD got = 0;
  const DWORD wanted = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
  if (!ReadFile(AsHandle(file), buffer, wanted, &got, nullptr)) {
    return 0;
  }
  return got;
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

}  // namespace dwelvane::platform

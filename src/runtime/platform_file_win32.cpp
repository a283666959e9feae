#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "runtime/file_faults.h"
#include "runtime/platform_file.h"
#include "runtime/text_conversion.h"

namespace dwelvane::platform {
namespace {

HANDLE AsHandle(FileHandle file) {
  return reinterpret_cast<HANDLE>(file);
}
FileHandle FromHandle(HANDLE handle) {
  return reinterpret_cast<FileHandle>(handle);
}

// The system's code for an error number the test seam fails a call with.
DWORD SystemCodeFor(int error_number, FileCall call) {
  switch (error_number) {
    case ENOSPC:
      return ERROR_DISK_FULL;
    case ENOENT:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
      return ERROR_ACCESS_DENIED;
    default:
      return call == FileCall::kRead ? ERROR_READ_FAULT : ERROR_WRITE_FAULT;
  }
}

// The code the test seam makes this call fail with, or 0 to let it run.
int FaultByRule(FileCall call, std::string_view path = {}, std::size_t size = 0) {
  const int fault = InjectedFileFault({.call = call, .path = path, .size = size});
  return fault == 0 ? 0 : static_cast<int>(SystemCodeFor(fault, call));
}

IoError Failure(IoOperation operation, const std::string& path, int code) {
  return {operation, path, code};
}

IoError LastFailure(IoOperation operation, const std::string& path = {}) {
  return Failure(operation, path, static_cast<int>(GetLastError()));
}

OpenedFile NotOpened(IoError error) {
  return {kNoFile, std::move(error)};
}

// Opens a new file named as GetTempFileName names one ("dwvXXXX.tmp") in `folder`, which
// ends with a separator; GetTempFileName itself takes no folder longer than MAX_PATH. The
// system's last error says why it failed.
HANDLE CreateTemporaryFile(const std::string& folder, std::string& created_path) {
  constexpr unsigned kNames = 0x10000;
  const unsigned first = GetTickCount() ^ GetCurrentProcessId();
  for (unsigned attempt = 0; attempt < kNames; ++attempt) {
    char name[16];
    std::snprintf(name, sizeof name, "dwv%04X.tmp", (first + attempt) % kNames);
    const std::string path = folder + name;
    // FILE_SHARE_DELETE lets Ctrl-C's handler remove the file while this thread holds it.
    const HANDLE file =
        CreateFileW(ToWidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      created_path = path;
      return file;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
      break;
    }
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

PathKind KindOfPath(const std::string& path) {
  const HANDLE file = CreateFileW(ToWidePath(path).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
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

std::string RealPathOf(const std::string& path) {
  const HANDLE file = CreateFileW(ToWidePath(path).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return {};
  }
  std::wstring real(32768, L'\0');
  const DWORD length = GetFinalPathNameByHandleW(file, real.data(), static_cast<DWORD>(real.size()),
                                                 VOLUME_NAME_DOS);
  CloseHandle(file);
  if (length == 0 || length >= real.size()) {
    return {};
  }
  real.resize(length);
  // The system names the path "\\?\C:\..." or "\\?\UNC\server\..."; the rest of the
  // program names it "C:\..." or "\\server\...".
  constexpr std::wstring_view kUncPrefix = L"\\\\?\\UNC\\";
  constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
  if (real.starts_with(kUncPrefix)) {
    return "\\\\" + FromWide(std::wstring_view(real).substr(kUncPrefix.size()));
  }
  return FromWide(real.starts_with(kLongPathPrefix)
                      ? std::wstring_view(real).substr(kLongPathPrefix.size())
                      : std::wstring_view(real));
}

bool IsLink(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(ToWidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The attributes of a reparse point are its own: the link is not followed.
bool EntryIsThere(const std::string& path) {
  return GetFileAttributesW(ToWidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsWriteProtected(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(ToWidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The new file inherits the folder's permissions, as any new file there does.
OpenedFile CreateFileBeside(const std::string& target, NewFileAccess, std::string& created_path) {
  const std::size_t slash = target.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? ".\\" : target.substr(0, slash + 1);
  if (const int fault = FaultByRule(FileCall::kOpen, folder)) {
    return NotOpened(Failure(IoOperation::kCreate, target, fault));
  }
  const HANDLE file = CreateTemporaryFile(folder, created_path);
  if (file == INVALID_HANDLE_VALUE) {
    return NotOpened(LastFailure(IoOperation::kCreate, target));
  }
  return {FromHandle(file), {}};
}

// GetFileType asks the open handle, not the disk: it is kept whatever the listing said.
OpenedFile OpenFileForReading(const std::string& path, bool) {
  if (const int fault = FaultByRule(FileCall::kOpen, path)) {
    return NotOpened(Failure(IoOperation::kOpen, path, fault));
  }
  const HANDLE file = CreateFileW(ToWidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return NotOpened(LastFailure(IoOperation::kOpen, path));
  }
  // Only files on a disk: a pipe or a device named like a script must not block the walk.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return NotOpened(Failure(IoOperation::kOpen, path, kNotARegularFile));
  }
  return {FromHandle(file), {}};
}

FileHandle OpenFolderForLookup(const std::string&) {
  return kNoFile;
}

OpenedFile OpenFileInFolderForReading(FileHandle, const std::string&, const std::string& path,
                                      bool listed_regular) {
  return OpenFileForReading(path, listed_regular);
}

// The user's own registry keeps Windows settings, so both kinds of access are the same.
OpenedFile CreateFileForWriting(const std::string& path, NewFileAccess) {
  if (const int fault = FaultByRule(FileCall::kOpen, path)) {
    return NotOpened(Failure(IoOperation::kCreate, path, fault));
  }
  const HANDLE file = CreateFileW(ToWidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return NotOpened(LastFailure(IoOperation::kCreate, path));
  }
  return {FromHandle(file), {}};
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

IoError ReadFromFile(FileHandle file, char* buffer, std::size_t size, std::size_t& got) {
  got = 0;
  if (const int fault = FaultByRule(FileCall::kRead, {}, size)) {
    return Failure(IoOperation::kRead, {}, fault);
  }
  DWORD read = 0;
  const std::size_t limited = InjectedReadLimit(size);
  const DWORD wanted = limited > MAXDWORD ? MAXDWORD : static_cast<DWORD>(limited);
  if (!ReadFile(AsHandle(file), buffer, wanted, &read, nullptr)) {
    return LastFailure(IoOperation::kRead);
  }
  got = read;
  return {};
}

IoError SeekInFile(FileHandle file, std::uint64_t offset) {
  LARGE_INTEGER distance{};
  distance.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(AsHandle(file), distance, nullptr, FILE_BEGIN)) {
    return LastFailure(IoOperation::kRead);
  }
  return {};
}

IoError WriteToFile(FileHandle file, const char* data, std::size_t size) {
  if (const int fault = FaultByRule(FileCall::kWrite, {}, size)) {
    return Failure(IoOperation::kWrite, {}, fault);
  }
  while (size > 0) {
    DWORD put = 0;
    const DWORD chunk = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    if (!WriteFile(AsHandle(file), data, chunk, &put, nullptr)) {
      return LastFailure(IoOperation::kWrite);
    }
    // A write that takes nothing makes no progress: the disk has no room left.
    if (put == 0) {
      return Failure(IoOperation::kWrite, {}, ERROR_DISK_FULL);
    }
    data += put;
    size -= put;
  }
  return {};
}

IoError SyncFile(FileHandle file) {
  if (!FlushFileBuffers(AsHandle(file))) {
    return LastFailure(IoOperation::kSync);
  }
  return {};
}

IoError CloseFile(FileHandle file) {
  if (file == StandardOutputHandle()) {
    return {};
  }
  if (const int fault = FaultByRule(FileCall::kClose)) {
    CloseHandle(AsHandle(file));
    return Failure(IoOperation::kClose, {}, fault);
  }
  if (!CloseHandle(AsHandle(file))) {
    return LastFailure(IoOperation::kClose);
  }
  return {};
}

IoError RenameFile(const std::string& from, const std::string& to) {
  if (const int fault = FaultByRule(FileCall::kRename, to)) {
    return Failure(IoOperation::kRename, to, fault);
  }
  if (!MoveFileExW(ToWidePath(from).c_str(), ToWidePath(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastFailure(IoOperation::kRename, to);
  }
  return {};
}

void RemoveFile(const std::string& path) {
  DeleteFileW(ToWidePath(path).c_str());
}

// MOVEFILE_WRITE_THROUGH has made the rename durable already.
void SyncFolderOf(const std::string&) {}

void SyncFileSystemOf(const std::string&) {}

bool SyncsWholeFileSystems() {
  return false;
}

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

bool StandardOutputIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

bool StandardOutputShowsUtf8() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0 &&
         GetConsoleOutputCP() == CP_UTF8;
}

// Windows has no file-size limit signal: such a write fails on its own.
void LetWritesBeyondTheSizeLimitFail() {}

}  // namespace dwelvane::platform

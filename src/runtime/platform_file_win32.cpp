#include <windows.h>

#include "runtime/platform_file.h"

namespace dwelvane::platform {
namespace {

HANDLE AsHandle(FileHandle file) {
  return reinterpret_cast<HANDLE>(file);
}
FileHandle FromHandle(HANDLE handle) {
  return reinterpret_cast<FileHandle>(handle);
}

}  // namespace

FileHandle OpenFileForReading(const std::string& path) {
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

FileHandle CreateFileForWriting(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? kNoFile : FromHandle(file);
}

FileHandle StandardOutputHandle() {
  return FromHandle(GetStdHandle(STD_OUTPUT_HANDLE));
}

std::size_t ReadFromFile(FileHandle file, char* buffer, std::size_t size) {
  DWORD got = 0;
  const DWORD wanted = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
  if (!ReadFile(AsHandle(file), buffer, wanted, &got, nullptr)) {
    return 0;
  }
  return got;
}

bool WriteToFile(FileHandle file, const char* data, std::size_t size) {
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

bool CloseFile(FileHandle file) {
  if (file == StandardOutputHandle()) {
    return true;
  }
  return CloseHandle(AsHandle(file)) != 0;
}

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace dwelvane::platform

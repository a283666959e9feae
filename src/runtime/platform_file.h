#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The operating system's file calls, behind one small seam per platform
// (platform_file_posix.cpp, platform_file_win32.cpp). Paths are taken as they are. Every
// call asks InjectedFileFault (file_faults.h) first, so that tests can make it fail.
namespace dwelvane::platform {

using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Who may read a file that CreateFileForWriting makes.
enum class NewFileAccess {
  kOrdinary,  // as any new file of the user's
  kPrivate,   // the user alone (settings)
};

// Opens a regular file for reading; anything else (a folder, a pipe, a device) fails, so
// that a walk never blocks on a FIFO or reads an endless device.
[[nodiscard]] FileHandle OpenFileForReading(const std::string& path);

// Creates the file or empties an existing one.
[[nodiscard]] FileHandle CreateFileForWriting(const std::string& path,
                                              NewFileAccess access = NewFileAccess::kOrdinary);

FileHandle StandardOutputHandle();

// Bytes read into `buffer`; 0 at the end of the file and on any read error.
std::size_t ReadFromFile(FileHandle file, char* buffer, std::size_t size);

[[nodiscard]] bool WriteToFile(FileHandle file, const char* data, std::size_t size);

// Makes what was written durable on the disk.
[[nodiscard]] bool SyncFile(FileHandle file);

// False when the data could not be stored; standard output is flushed, never closed.
[[nodiscard]] bool CloseFile(FileHandle file);

// Moves `from` over `to` in one step, replacing a file that is there.
[[nodiscard]] bool RenameFile(const std::string& from, const std::string& to);

void RemoveFile(const std::string& path);

// Makes a rename into the folder of `path` durable, where the platform needs that.
void SyncFolderOf(const std::string& path);

bool StandardErrorIsTerminal();

}  // namespace dwelvane::platform

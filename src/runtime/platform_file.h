#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The operating system's file calls, behind one small seam per platform
// (platform_file_posix.cpp, platform_file_win32.cpp). Paths are taken as they are.
namespace dwelvane::platform {

using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Opens a regular file for reading; anything else (a folder, a pipe, a device) fails, so
// that a walk never blocks on a FIFO or reads an endless device.
FileHandle OpenFileForReading(const std::string& path);

// Creates the file or empties an existing one.
FileHandle CreateFileForWriting(const std::string& path);

FileHandle StandardOutputHandle();

// Bytes read into `buffer`; 0 at the end of the file and on any read error.
std::size_t ReadFromFile(FileHandle file, char* buffer, std::size_t size);

bool WriteToFile(FileHandle file, const char* data, std::size_t size);

// False when the data could not be stored; standard output is flushed, never closed.
bool CloseFile(FileHandle file);

bool StandardErrorIsTerminal();

}  // namespace dwelvane::platform

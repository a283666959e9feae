#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/io_error.h"

// The operating system's file calls, behind one small seam per platform
// (platform_file_posix.cpp, platform_file_win32.cpp). Paths are taken as they are: bytes
// on POSIX, UTF-8 on Windows (text_conversion.h). Every call asks InjectedFileFault
// (file_faults.h) first, so that tests can make it fail.
namespace dwelvane::platform {

using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Who may read a file that CreateFileForWriting makes.
enum class NewFileAccess {
  kOrdinary,  // as any new file of the user's
  kPrivate,   // the user alone (settings)
};

// A file opened, or why it could not be.
struct [[nodiscard]] OpenedFile {
  FileHandle handle = kNoFile;
  IoError error;

  bool IsOpen() const { return handle != kNoFile; }
};

enum class PathKind {
  kMissing,      // nothing there (or nothing that can be seen)
  kRegularFile,  // a file on a disk
  kOther,        // a folder, a device, a pipe, a terminal
};

// What `path` names, links followed.
PathKind KindOfPath(const std::string& path);

// The file a link names, links on the way followed; `path` itself when it is no link.
std::string ResolveLinks(const std::string& path);

// The path of what `path` names with every link on the way resolved, absolute; empty when
// nothing is there or it can't be told.
std::string RealPathOf(const std::string& path);

// True when `path` itself is a link (a symbolic link; a reparse point on Windows).
bool IsLink(const std::string& path);

// True when there is an entry at `path`, links not followed: a link that leads nowhere is
// there.
bool EntryIsThere(const std::string& path);

// True when `path` is a regular file that may not be written: no write permission for
// anyone, or none for this user; the read-only attribute on Windows.
bool IsWriteProtected(const std::string& path);

// Creates a new file with a name of its own in the folder of `target`, for writing, and
// puts its path into `created_path`. It gets the permissions `target` has when it exists,
// else those `access` gives a new file.
OpenedFile CreateFileBeside(const std::string& target, NewFileAccess access,
                            std::string& created_path);

// Opens a regular file for reading; anything else (a folder, a pipe, a device) fails, so
// that a walk never blocks on a FIFO or reads an endless device.
// `listed_regular`: the folder listing already said the path is a regular file, so the
// check that it is one (a pipe or a device named like a script must not block a scan) is
// left out where it costs a system call of its own.
OpenedFile OpenFileForReading(const std::string& path, bool listed_regular = false);

// Opens a folder only to open files in it by name: kNoFile where the platform opens files
// by path alone, or when the folder can't be opened. Closed with CloseFile.
FileHandle OpenFolderForLookup(const std::string& path);

// As OpenFileForReading for the file `name` in `folder` (from OpenFolderForLookup), whose
// whole path is `path`: the system needn't look up every folder on the path again. Opens
// `path` where `folder` is kNoFile.
OpenedFile OpenFileInFolderForReading(FileHandle folder, const std::string& name,
                                      const std::string& path, bool listed_regular);

// Creates the file or empties an existing one.
OpenedFile CreateFileForWriting(const std::string& path,
                                NewFileAccess access = NewFileAccess::kOrdinary);

FileHandle StandardOutputHandle();

// The size of an open regular file as it is now; 0 when it can't be told. A hint for
// sizing a buffer: the file may still change.
std::uint64_t SizeOfOpenFile(FileHandle file);

// Reads up to `size` bytes into `buffer` and puts their number into `got`. Only a read of
// 0 bytes tells the end of the file: a file system may give fewer bytes than asked for
// anywhere. A failed read is no end of the file.
IoError ReadFromFile(FileHandle file, char* buffer, std::size_t size, std::size_t& got);

// Makes the next read start at `offset` bytes from the file's beginning; fails as a read
// does, and on anything that is no file on a disk.
IoError SeekInFile(FileHandle file, std::uint64_t offset);

IoError WriteToFile(FileHandle file, const char* data, std::size_t size);

// Makes what was written durable on the disk.
IoError SyncFile(FileHandle file);

// Fails when the data could not be stored; standard output is flushed, never closed.
IoError CloseFile(FileHandle file);

// Moves `from` over `to` in one step, replacing a file that is there.
IoError RenameFile(const std::string& from, const std::string& to);

void RemoveFile(const std::string& path);

// Makes a rename into the folder of `path` durable, where the platform needs that.
void SyncFolderOf(const std::string& path);

// Flushes every file of the file system that holds `path` to its disk in one call, where
// the system has one (Linux); elsewhere the files were flushed one by one as they were
// written (SyncFile), and this does nothing.
void SyncFileSystemOf(const std::string& path);
// True when SyncFileSystemOf flushes the files, so that writers may skip SyncFile.
bool SyncsWholeFileSystems();

bool StandardErrorIsTerminal();
bool StandardOutputIsTerminal();

// True when standard output is a terminal that shows UTF-8 (its locale, or on Windows its
// console code page, says so).
bool StandardOutputShowsUtf8();

// Makes a write beyond the user's file-size limit fail as a full disk does, instead of
// ending the process with its temporary file left behind. Called once at start-up.
void LetWritesBeyondTheSizeLimitFail();

}  // namespace dwelvane::platform

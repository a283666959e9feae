#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "runtime/file_faults.h"
#include "runtime/platform_file.h"
#include "runtime/temporary_files.h"

namespace dwelvane::platform {
namespace {

// The error the test seam makes this call fail with, or 0 to let it run.
int FaultByRule(FileCall call, std::string_view path = {}, std::size_t size = 0) {
  return InjectedFileFault({.call = call, .path = path, .size = size});
}

IoError Failure(IoOperation operation, const std::string& path, int code) {
  return {operation, path, code};
}

IoError LastFailure(IoOperation operation, const std::string& path = {}) {
  return Failure(operation, path, errno);
}

OpenedFile NotOpened(IoError error) {
  return {kNoFile, std::move(error)};
}

}  // namespace

PathKind KindOfPath(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    return PathKind::kMissing;
  }
  return S_ISREG(status.st_mode) ? PathKind::kRegularFile : PathKind::kOther;
}

std::string ResolveLinks(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
    return path;
  }
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                             &std::free);
  return resolved ? std::string(resolved.get()) : path;
}

std::string RealPathOf(const std::string& path) {
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                             &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

bool IsLink(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

bool EntryIsThere(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

// Root may write any file: the permission bits still say what the owner meant.
bool IsWriteProtected(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return false;
  }
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
         (::access(path.c_str(), W_OK) != 0 && errno == EACCES);
}

OpenedFile CreateFileBeside(const std::string& target, NewFileAccess access,
                            std::string& created_path) {
  const std::filesystem::path target_path(target);
  const std::string name =
      "." + target_path.filename().string() + std::string(kTemporaryMark) + "XXXXXX";
  std::string name_pattern = (target_path.parent_path() / name).string();
  if (const int fault = FaultByRule(FileCall::kOpen, name_pattern)) {
    return NotOpened(Failure(IoOperation::kCreate, target, fault));
  }
  const int fd = ::mkostemp(name_pattern.data(), O_CLOEXEC);
  if (fd < 0) {
    return NotOpened(LastFailure(IoOperation::kCreate, target));
  }
  struct stat existing {};
  mode_t mode = 0600;
  if (::stat(target.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
    // Only root may give the file to its old owner; for anyone else it is theirs already.
    // Fortified glibc marks fchown's result as one to use, which a cast doesn't satisfy.
    [[maybe_unused]] const int owner_kept = ::fchown(fd, existing.st_uid, existing.st_gid);
  } else if (access == NewFileAccess::kOrdinary) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  // File systems without POSIX permissions (FAT on a memory stick) refuse this; the file is
  // written all the same.
  static_cast<void>(::fchmod(fd, mode));
  created_path = name_pattern;
  return {fd, {}};
}

OpenedFile OpenFileForReading(const std::string& path, bool listed_regular) {
  return OpenFileInFolderForReading(kNoFile, path, path, listed_regular);
}

FileHandle OpenFolderForLookup(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return fd < 0 ? kNoFile : fd;
}

OpenedFile OpenFileInFolderForReading(FileHandle folder, const std::string& name,
                                      const std::string& path, bool listed_regular) {
  if (const int fault = FaultByRule(FileCall::kOpen, path)) {
    return NotOpened(Failure(IoOperation::kOpen, path, fault));
  }
  const int at = folder == kNoFile ? AT_FDCWD : static_cast<int>(folder);
  const std::string& opened = folder == kNoFile ? path : name;
  // O_NONBLOCK keeps the open itself from waiting for a writer when the path is a FIFO.
  const int fd = ::openat(at, opened.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    return NotOpened(LastFailure(IoOperation::kOpen, path));
  }
  if (listed_regular) {
    return {fd, {}};
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return NotOpened(Failure(IoOperation::kOpen, path, kNotARegularFile));
  }
  return {fd, {}};
}

OpenedFile CreateFileForWriting(const std::string& path, NewFileAccess access) {
  if (const int fault = FaultByRule(FileCall::kOpen, path)) {
    return NotOpened(Failure(IoOperation::kCreate, path, fault));
  }
  const mode_t mode = access == NewFileAccess::kPrivate ? 0600 : 0666;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) {
    return NotOpened(LastFailure(IoOperation::kCreate, path));
  }
  return {fd, {}};
}

FileHandle StandardOutputHandle() {
  return STDOUT_FILENO;
}

std::uint64_t SizeOfOpenFile(FileHandle file) {
  struct stat status {};
  return ::fstat(static_cast<int>(file), &status) == 0 && status.st_size > 0
             ? static_cast<std::uint64_t>(status.st_size)
             : 0;
}

IoError ReadFromFile(FileHandle file, char* buffer, std::size_t size, std::size_t& got) {
  got = 0;
  if (const int fault = FaultByRule(FileCall::kRead, {}, size)) {
    return Failure(IoOperation::kRead, {}, fault);
  }
  for (;;) {
    const ssize_t read = ::read(static_cast<int>(file), buffer, InjectedReadLimit(size));
    if (read >= 0) {
      got = static_cast<std::size_t>(read);
      return {};
    }
    if (errno != EINTR) {
      return LastFailure(IoOperation::kRead);
    }
  }
}

IoError SeekInFile(FileHandle file, std::uint64_t offset) {
  if (::lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) < 0) {
    return LastFailure(IoOperation::kRead);
  }
  return {};
}

IoError WriteToFile(FileHandle file, const char* data, std::size_t size) {
  if (const int fault = FaultByRule(FileCall::kWrite, {}, size)) {
    return Failure(IoOperation::kWrite, {}, fault);
  }
  while (size > 0) {
    const ssize_t put = ::write(static_cast<int>(file), data, size);
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put < 0) {
      return LastFailure(IoOperation::kWrite);
    }
    // A write that takes nothing makes no progress: the device has no room left.
    if (put == 0) {
      return Failure(IoOperation::kWrite, {}, ENOSPC);
    }
    data += put;
    size -= static_cast<std::size_t>(put);
  }
  return {};
}

IoError SyncFile(FileHandle file) {
  if (::fsync(static_cast<int>(file)) != 0) {
    return LastFailure(IoOperation::kSync);
  }
  return {};
}

IoError CloseFile(FileHandle file) {
  if (file == StandardOutputHandle()) {
    return {};
  }
  if (const int fault = FaultByRule(FileCall::kClose)) {
    ::close(static_cast<int>(file));
    return Failure(IoOperation::kClose, {}, fault);
  }
  if (::close(static_cast<int>(file)) != 0) {
    return LastFailure(IoOperation::kClose);
  }
  return {};
}

IoError RenameFile(const std::string& from, const std::string& to) {
  if (const int fault = FaultByRule(FileCall::kRename, to)) {
    return Failure(IoOperation::kRename, to, fault);
  }
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    return LastFailure(IoOperation::kRename, to);
  }
  return {};
}

void RemoveFile(const std::string& path) {
  ::unlink(path.c_str());
}

void SyncFolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int folder_fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
}

void SyncFileSystemOf(const std::string& path) {
#ifdef __linux__
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int folder_fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::syncfs(folder_fd);
    ::close(folder_fd);
  }
#else
  static_cast<void>(path);
#endif
}

bool SyncsWholeFileSystems() {
#ifdef __linux__
  return true;
#else
  return false;
#endif
}

bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

bool StandardOutputIsTerminal() {
  return ::isatty(STDOUT_FILENO) == 1;
}

bool StandardOutputShowsUtf8() {
  if (::isatty(STDOUT_FILENO) != 1) {
    return false;
  }
  // The first of these that is set decides, as it does for the C library.
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
      std::string locale(value);
      for (char& c : locale) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
      }
      return locale.find("utf-8") != std::string::npos || locale.find("utf8") != std::string::npos;
    }
  }
  return false;
}

void LetWritesBeyondTheSizeLimitFail() {
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace dwelvane::platform

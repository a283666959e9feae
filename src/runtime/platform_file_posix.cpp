#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "runtime/file_faults.h"
#include "runtime/platform_file.h"

namespace dwelvane::platform {
namespace {

// True, with errno set, when the test seam makes this call fail.
bool FailsByRule(FileCall call, std::string_view path = {}, std::size_t size = 0) {
  const int error = InjectedFileFault({.call = call, .path = path, .size = size});
  if (error != 0) {
    errno = error;
  }
  return error != 0;
}

}  // namespace

FileHandle OpenFileForReading(const std::string& path) {
  if (FailsByRule(FileCall::kOpen, path)) {
    return kNoFile;
  }
  // O_NONBLOCK keeps the open itself from waiting for a writer when the path is a FIFO.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    return kNoFile;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return kNoFile;
  }
  return fd;
}

FileHandle CreateFileForWriting(const std::string& path, NewFileAccess access) {
  if (FailsByRule(FileCall::kOpen, path)) {
    return kNoFile;
  }
  const mode_t mode = access == NewFileAccess::kPrivate ? 0600 : 0666;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  return fd < 0 ? kNoFile : fd;
}

FileHandle StandardOutputHandle() {
  return STDOUT_FILENO;
}

std::size_t ReadFromFile(FileHandle file, char* buffer, std::size_t size) {
  if (FailsByRule(FileCall::kRead, {}, size)) {
    return 0;
  }
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(file), buffer, size);
    if (got >= 0) {
      return static_cast<std::size_t>(got);
    }
    if (errno != EINTR) {
      return 0;
    }
  }
}

bool WriteToFile(FileHandle file, const char* data, std::size_t size) {
  if (FailsByRule(FileCall::kWrite, {}, size)) {
    return false;
  }
  while (size > 0) {
    const ssize_t put = ::write(static_cast<int>(file), data, size);
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put <= 0) {
      return false;
    }
    data += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

bool SyncFile(FileHandle file) {
  return ::fsync(static_cast<int>(file)) == 0;
}

bool CloseFile(FileHandle file) {
  if (file == StandardOutputHandle()) {
    return true;
  }
  if (FailsByRule(FileCall::kClose)) {
    ::close(static_cast<int>(file));
    return false;
  }
  return ::close(static_cast<int>(file)) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return !FailsByRule(FileCall::kRename, to) && std::rename(from.c_str(), to.c_str()) == 0;
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

bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace dwelvane::platform

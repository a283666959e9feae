#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/platform_file.h"

namespace dwelvane::platform {

FileHandle OpenFileForReading(const std::string& path) {
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

FileHandle CreateFileForWriting(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return fd < 0 ? kNoFile : fd;
}

FileHandle StandardOutputHandle() {
  return STDOUT_FILENO;
}

std::size_t ReadFromFile(FileHandle file, char* buffer, std::size_t size) {
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

bool CloseFile(FileHandle file) {
  if (file == StandardOutputHandle()) {
    return true;
  }
  return ::close(static_cast<int>(file)) == 0;
}

bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace dwelvane::platform

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/file_lock.h"

namespace dwelvane {

FileLock::FileLock(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    return;
  }
  int locked;
  while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (locked != 0) {
    ::close(fd);
    return;
  }
  handle_ = fd;
}

FileLock::~FileLock() {
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));
  }
}

}  // namespace dwelvane

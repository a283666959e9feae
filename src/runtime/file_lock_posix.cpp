#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "runtime/file_lock.h"

namespace dwelvane {

FileLock::FileLock(const std::string& path, std::chrono::milliseconds patience) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    return;
  }
  const auto give_up = std::chrono::steady_clock::now() + patience;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      handle_ = fd;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      break;
    }
    if (std::chrono::steady_clock::now() >= give_up) {
      timed_out_ = true;
      break;
    }
    std::this_thread::sleep_for(kLockRetryInterval);
  }
  ::close(fd);
}

FileLock::~FileLock() {
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));
  }
}

}  // namespace dwelvane

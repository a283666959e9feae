#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <memory>

#include "runtime/temporary_files.h"

namespace dwelvane {
namespace {

void RemoveOne(const char* path) {
  ::unlink(path);
}

extern "C" void EndBySignal(int signal) {
  temporary_files_detail::ForEachRegistered(RemoveOne);
  // Ends the program as the signal would have: the exit status still says which one.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// mkostemp replaces the six X of ".NAME.dwvtmp-XXXXXX" by letters and digits.
bool LooksLikeTemporaryOf(std::string_view name, std::string_view prefix) {
  constexpr std::size_t kRandomPart = 6;
  if (name.size() != prefix.size() + kRandomPart || !name.starts_with(prefix)) {
    return false;
  }
  for (const char c : name.substr(prefix.size())) {
    const bool alphanumeric =
        (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alphanumeric) {
      return false;
    }
  }
  return true;
}

struct DirCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

// Removes the files of `folder` whose names `ours` takes for temporary files of this
// program, when they belong to this user, are no link, and have not been written to for
// kStaleAfterSeconds.
template <typename Ours>
void RemoveStaleIn(const std::string& folder, const Ours& ours) {
  const std::unique_ptr<DIR, DirCloser> directory(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!directory) {
    return;
  }
  const int folder_fd = ::dirfd(directory.get());
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(directory.get())) {
    struct stat status {};
    if (ours(std::string_view(entry->d_name)) &&
        ::fstatat(folder_fd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
        now - status.st_mtime > kStaleAfterSeconds) {
      ::unlinkat(folder_fd, entry->d_name, 0);
    }
  }
}

}  // namespace

void RemoveTemporaryFilesOnSignals() {
  constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction action {};
  action.sa_handler = EndBySignal;
  ::sigemptyset(&action.sa_mask);
  // One handler at a time: a second signal waits until the files are gone.
  for (const int signal : kSignals) {
    ::sigaddset(&action.sa_mask, signal);
  }
  for (const int signal : kSignals) {
    struct sigaction before {};
    // A signal the program was started to ignore (nohup) stays ignored.
    if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
      ::sigaction(signal, &action, nullptr);
    }
  }
}

void RemoveStaleTemporaryFiles(const std::string& target) {
  const std::filesystem::path target_path(target);
  const std::string prefix = "." + target_path.filename().string() + std::string(kTemporaryMark);
  RemoveStaleIn(target_path.parent_path().string(),
                [&](std::string_view name) { return LooksLikeTemporaryOf(name, prefix); });
}

void RemoveStaleTemporaryFilesBeside(const std::string& target) {
  RemoveStaleIn(std::filesystem::path(target).parent_path().string(), [](std::string_view name) {
    const std::size_t mark = name.rfind(kTemporaryMark);
    return name.starts_with('.') && mark != std::string_view::npos &&
           LooksLikeTemporaryOf(name, name.substr(0, mark + kTemporaryMark.size()));
  });
}

}  // namespace dwelvane

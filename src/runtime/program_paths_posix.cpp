#include <unistd.h>

#include <filesystem>
#include <vector>

#include "runtime/path_separator.h"
#include "runtime/program_paths.h"

namespace dwelvane {

std::string ReadProgramFolder() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) {
      return std::string(1, kPathSeparator);
    }
    if (static_cast<std::size_t>(length) < buffer.size()) {
      const std::string executable(buffer.data(), static_cast<std::size_t>(length));
      return executable.substr(0, executable.rfind(kPathSeparator) + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool IsAbsolutePath(std::string_view path) {
  return !path.empty() && path.front() == '/';
}

std::string MakeAbsoluteFromWorkingDirectory(std::string_view path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(std::string(path), error);
  if (error) {
    return std::string(path);
  }
  return absolute.lexically_normal().string();
}

}  // namespace dwelvane

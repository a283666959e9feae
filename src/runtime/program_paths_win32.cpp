#include <windows.h>

#include <vector>

#include "runtime/program_paths.h"

namespace dwelvane {

std::string ReadProgramFolder() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      const std::string program(buffer.data(), length);
      return program.substr(0, program.rfind('\\') + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
}

// "C:\...", "\\server\share\..." and "\..." (the current drive's root) are not relative.
bool IsAbsolutePath(std::string_view path) {
  return (path.size() >= 3 && path[1] == ':' && path[2] == '\\') ||
         (!path.empty() && path.front() == '\\');
}

std::string MakeAbsoluteFromWorkingDirectory(std::string_view path) {
  const std::string relative(path);
  const DWORD needed = GetFullPathNameA(relative.c_str(), 0, nullptr, nullptr);
  if (needed == 0) {
    return relative;
  }
  std::vector<char> buffer(needed);
  const DWORD length = GetFullPathNameA(relative.c_str(), needed, buffer.data(), nullptr);
  return length == 0 || length >= needed ? relative : std::string(buffer.data(), length);
}

}  // namespace dwelvane

#include <windows.h>

#include <vector>

#include "runtime/program_paths.h"
#include "runtime/text_conversion.h"

namespace dwelvane {

std::string ReadProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      const std::string program = FromWide({buffer.data(), length});
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
  const std::wstring wide = ToWide(relative);
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) {
    return relative;
  }
  std::vector<wchar_t> buffer(needed);
  const DWORD length = GetFullPathNameW(wide.c_str(), needed, buffer.data(), nullptr);
  return length == 0 || length >= needed ? relative : FromWide({buffer.data(), length});
}

}  // namespace dwelvane

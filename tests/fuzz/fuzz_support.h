#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane::fuzz {

// The readers under test read files: each input goes to one scratch file of this process.
inline const std::string& ScratchPath(const char* name) {
  static const std::string path = "/tmp/dwelvane-fuzz-" + std::to_string(::getpid()) + "-" + name;
  return path;
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    __builtin_trap();
  }
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// The lines as the reader promises them, found the simplest way: CR, LF, CR LF and a zero
// byte each end a line; no empty line after a last line end.
inline std::vector<std::string_view> ReferenceLines(std::string_view data) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (c != '\n' && c != '\r' && c != '\0') {
      continue;
    }
    lines.push_back(data.substr(begin, i - begin));
    if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') {
      ++i;
    }
    begin = i + 1;
  }
  if (begin < data.size()) {
    lines.push_back(data.substr(begin));
  }
  return lines;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The bytes in a heap block of exactly their size, so that AddressSanitizer catches a read
// one past their end (a std::string holds its terminator there, or keeps a short text
// inside itself).
inline std::vector<char> ExactCopy(std::string_view bytes) {
  return std::vector<char>(bytes.begin(), bytes.end());
}

// The number of lines of `text` when LF, CR LF and a lone CR each end one.
inline std::int64_t CountLines(std::string_view text) {
  std::int64_t lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    lines += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
  }
  return lines;
}

}  // namespace dwelvane::fuzz

#pragma once

// Projects written from and read into maps of relative path to bytes, for the tests of
// the translation commands.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "temp_folder.h"

namespace dwelvane::testing {

using Files = std::map<std::string, std::string>;

inline const std::string kBom = "\xEF\xBB\xBF";

inline void WriteProject(const TempFolder& folder, const Files& files) {
  for (const auto& [path, bytes] : files) {
    folder.Write(path, bytes);
  }
}

// Every file below `folder` by its relative path, leaving out the temporary files a
// killed run leaves behind.
inline Files ReadTree(const std::string& folder) {
  Files files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file() &&
        entry.path().filename().string().find(".dwvtmp-") == std::string::npos) {
      files[entry.path().lexically_relative(folder).generic_string()] =
          ReadFileBytes(entry.path().string());
    }
  }
  return files;
}

inline std::string ShiftAsciiCase(std::string text, char from, char to) {
  for (char& c : text) {
    c = c >= from && c <= from + 25 ? static_cast<char>(c - from + to) : c;
  }
  return text;
}

inline std::string LowerAscii(std::string_view text) {
  return ShiftAsciiCase(std::string(text), 'A', 'a');
}

inline std::string UpperAscii(std::string_view text) {
  return ShiftAsciiCase(std::string(text), 'a', 'A');
}

}  // namespace dwelvane::testing

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/output_target.h"
#include "runtime/platform_file.h"

namespace dwelvane {

// Writes lines ending in CR LF through a buffer. A failed write is remembered and
// reported by FileClose, so that a full disk is never mistaken for success.
class LineWriter {
 public:
  LineWriter();
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Creates `path` (relative to the program folder when relative), emptying an existing
  // file. False when it can't be created.
  [[nodiscard]] bool FileCreate(const std::string& path);
  void UseStandardOutput();

  // Standard output, or the target's file as FileCreate makes it.
  [[nodiscard]] bool Open(const OutputTarget& target);

  // The bytes of `text`, then CR LF.
  void FileWriteLine(std::string_view text);

  // Flushes and closes; false when any byte could not be written.
  [[nodiscard]] bool FileClose();

 private:
  void Flush();

  platform::FileHandle file_ = platform::kNoFile;
  std::vector<char> buffer_;
  bool failed_ = false;
};

}  // namespace dwelvane

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/file_replacement.h"
#include "runtime/output_target.h"
#include "runtime/platform_file.h"

namespace dwelvane {

// Writes lines ending in CR LF through a buffer. A failed write is remembered and
// reported by FileClose, so that a full disk is never mistaken for success, and a file
// that was there before is replaced only when the new one is complete.
class LineWriter {
 public:
  LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Starts a new version of `path` (relative to the program folder when relative); the
  // old file stays as it is until FileClose succeeds. Fails when it can't be created, or
  // when `confined_to` names the project folder and the file would leave it
  // (FileReplacement::Begin).
  IoError FileCreate(const std::string& path, const std::string& confined_to = {});
  void UseStandardOutput();

  // Standard output, or the target's file as FileCreate makes it.
  IoError Open(const OutputTarget& target);

  // The bytes of `text`, then CR LF.
  void FileWriteLine(std::string_view text);
  // The bytes of `bytes` alone.
  void WriteBytes(std::string_view bytes);

  // Flushes and puts the file in place; the first failure when any byte could not be
  // written, and a file that was there is then left as it was. A writer dropped without
  // FileClose leaves the old file too.
  IoError FileClose();

 private:
  void Flush();

  FileReplacement file_;
  bool to_standard_output_ = false;
  std::vector<char> buffer_;
  IoError error_;  // the first write that failed
};

}  // namespace dwelvane

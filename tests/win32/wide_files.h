#pragma once

#include <string>
#include <string_view>
#include <vector>

// Files and programs for the Windows tests, under paths the ANSI calls can't reach: names
// beyond the code page, paths beyond MAX_PATH. Paths are UTF-8, as in the program.
namespace dwelvane::testing {

// A Linux path as the Windows programs see it under Wine: drive Z: is "/".
std::string WinePath(std::string_view linux_path);

// Makes `folder` and the folders above it that are missing.
void MakeFolders(const std::string& folder);

// Copies the folder `from` with everything in it to `to`, which is made.
void CopyFolder(const std::string& from, const std::string& to);

// The whole file; empty when it can't be read.
std::string ReadWholeFile(const std::string& path);

struct ProgramRun {
  unsigned long exit_code = 0;
  std::string error_output;  // the bytes the program wrote to standard error
};

// Runs `program` with `words` on a UTF-16 command line, standard output discarded.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& words);

}  // namespace dwelvane::testing

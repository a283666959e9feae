#pragma once

#include <string>
#include <vector>

#include "temp_folder.h"

namespace dwelvane::testing {

struct CliRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// `word` as one word of the shell.
std::string QuoteForShell(const std::string& word);

// Runs the real dwelvane-cli in `folder` with `words` after the program name,
// `environment` (NAME=value words) before it and the shell command `before` ahead of it.
// The settings store and the Wine prefix are the folder's own, never the user's.
CliRun RunDwelvaneCli(const TempFolder& folder, const std::vector<std::string>& words,
                      const std::string& environment = "", const std::string& before = "");

}  // namespace dwelvane::testing

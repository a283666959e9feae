#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/command_outcome.h"
#include "runtime/io_error.h"
#include "runtime/language.h"

namespace dwelvane {

// What a command run from the window came to, for its status line.
struct RunReport {
  CommandResult result = CommandResult::kCompleted;
  IoError error = {};  // why the output failed
  // The file written; empty when none was asked for, or none came of the run.
  std::string written = {};
  std::optional<std::size_t> lines = std::nullopt;  // the lines of a written table
  std::int64_t unreadable = 0;                      // files and folders passed over
  std::int64_t links_out = 0;                       // links out of the project, not followed
  bool no_project_file = false;                     // no .wpr file directly in the folder
  bool mixed_encodings = false;   // the table holds lines of Windows-1252 and UTF-8 scripts
  std::string name_in_utf8 = {};  // a name the output holds in UTF-8, lacking the code page
};

// The status line after a run, in `language`: the output that failed and why, that the run
// was cancelled, or what was written followed by every warning. Empty when a run that wrote
// nothing found nothing to warn about.
std::string StatusAfterRun(const RunReport& report, Language language);

// The status line when there is no project folder to run on: none is chosen, or it can't
// be listed (`error`, with its path), so that no scan runs.
std::string NoProjectFolderStatusText(Language language);
std::string ProjectFolderUnreadableStatusText(const IoError& error, Language language);

// The status line after the memory ran out while the file at `path` was read.
std::string OutOfMemoryStatusText(std::string_view path, Language language);

// Why a file or folder failed, as the window says it: "the folder does not exist"; the
// system's own words for a cause the window has none for.
std::string DescribeCause(const IoError& error, Language language);

}  // namespace dwelvane

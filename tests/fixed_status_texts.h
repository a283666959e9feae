#pragma once

#include <string>
#include <vector>

#include "app/status_texts.h"

namespace dwelvane::testing {

// Every status text that names no path, which must fit the status line whole; a text with
// a path may lose its middle.
inline std::vector<std::string> FixedStatusTexts(Language language) {
  std::vector<std::string> texts = {NoProjectFolderStatusText(language)};
  const RunReport reports[] = {
      {.result = CommandResult::kCancelled},
      {.unreadable = 12345},
      {.links_out = 12345},
      {.no_project_file = true},
      {.mixed_encodings = true},
  };
  for (const RunReport& report : reports) {
    texts.push_back(StatusAfterRun(report, language));
  }
  return texts;
}

}  // namespace dwelvane::testing

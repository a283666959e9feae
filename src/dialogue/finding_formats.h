#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_check.h"

namespace dwelvane {

// A finding as the machine-readable outputs report it.
struct ReportedFinding {
  const Finding* finding = nullptr;
  std::string line_text;  // the text of the finding's line, blanks trimmed (may be empty)
  bool error = false;     // reported as an error rather than a warning
};

struct FindingsDocument {
  std::string_view version = {};  // the program's version
  std::string_view project = {};  // the project folder as given
  std::vector<ReportedFinding> findings = {};
};

// The outputs below are UTF-8 whatever the bytes of the findings: a text that is not UTF-8
// is taken as Windows-1252, as the scripts are.

// One JSON object naming the tool and holding every finding, one finding a line, and a line
// end after it.
void AppendFindingsJson(std::string& out, const FindingsDocument& document);

// A SARIF 2.1.0 log of one run: a rule for every kind, in the order of FindingKind, and a
// result for every finding, its file relative to %SRCROOT% (the project folder, given as a
// file URI when the folder is an absolute path).
void AppendFindingsSarif(std::string& out, const FindingsDocument& document);

// One GitHub Actions workflow command a finding ("::warning" or "::error"), its message and
// under it the kind's hint, so that the findings show as annotations of the files.
void AppendFindingsGithub(std::string& out, const FindingsDocument& document);

}  // namespace dwelvane

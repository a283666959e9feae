#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "translation/po_file.h"

#ifdef DWELVANE_MSGFMT_PATH
#include <sys/wait.h>

#include <cstdlib>

#include "cli_runner.h"
#include "temp_folder.h"
#endif

namespace dwelvane {

// Failures show catalogs as PO text.
inline void PrintTo(const PoCatalog& catalog, std::ostream* out) {
  *out << WritePo(catalog);
}
inline void PrintTo(const PoMessage& message, std::ostream* out) {
  *out << WritePo({{message}});
}

namespace testing {

inline PoCatalog ParsePo(std::string_view text) {
  PoCatalog catalog;
  PoReadError error;
  EXPECT_TRUE(ReadPo(text, catalog, error)) << error.line << ": " << error.message << "\n" << text;
  return catalog;
}

#ifdef DWELVANE_MSGFMT_PATH
struct GettextRun {
  int exit_code = -1;
  std::string messages;  // its standard error
};

// Runs one of GNU gettext's programs (found at configuration) on `arguments` in `folder`.
inline GettextRun RunGettext(const TempFolder& folder, const char* program,
                             const std::vector<std::string>& arguments) {
  std::string command = "cd " + QuoteForShell(folder.Path()) + " && " + QuoteForShell(program);
  for (const std::string& argument : arguments) {
    command += " " + QuoteForShell(argument);
  }
  command += " 2>.gettext-messages </dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          ReadFileBytes(folder.Join(".gettext-messages"))};
}
#endif

}  // namespace testing
}  // namespace dwelvane

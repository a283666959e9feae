#include "cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

namespace dwelvane::testing {
std::string QuoteForShell(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

CliRun RunDwelvaneCli(const TempFolder& folder, const std::vector<std::string>& words,
                      const std::string& environment, const std::string& before) {
  std::string command = "cd " + QuoteForShell(folder.Path()) + " && " + before +
                        " XDG_CONFIG_HOME=" + QuoteForShell(folder.Join(".config")) +
                        " WINEPREFIX=" + QuoteForShell(folder.Join(".wine")) + " " + environment +
                        " " + QuoteForShell(DWELVANE_CLI_PATH);
  for (const std::string& word : words) {
    command += " " + QuoteForShell(word);
  }
  command += " >" + QuoteForShell(folder.Join(".out")) + " 2>" +
             QuoteForShell(folder.Join(".err")) + " </dev/null";
  const int status = std::system(command.c_str());
  CliRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFileBytes(folder.Join(".out"));
  run.err = ReadFileBytes(folder.Join(".err"));
  return run;
}

}  // namespace dwelvane::testing

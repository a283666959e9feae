#include "cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

namespace dwelvane::testing {
namespace {

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

}  // namespace

CliRun RunDwelvaneCli(const TempFolder& folder, const std::vector<std::string>& words,
                      const std::string& environment, const std::string& before) {
  std::string command = "cd " + Quote(folder.Path()) + " && " + before +
                        " XDG_CONFIG_HOME=" + Quote(folder.Join(".config")) +
                        " WINEPREFIX=" + Quote(folder.Join(".wine")) + " " + environment + " " +
                        Quote(DWELVANE_CLI_PATH);
  for (const std::string& word : words) {
    command += " " + Quote(word);
  }
  command += " >" + Quote(folder.Join(".out")) + " 2>" + Quote(folder.Join(".err")) + " </dev/null";
  const int status = std::system(command.c_str());
  CliRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFileBytes(folder.Join(".out"));
  run.err = ReadFileBytes(folder.Join(".err"));
  return run;
}

}  // namespace dwelvane::testing

#include <string>
#include <vector>

#include "cli/cli.h"
#include "runtime/command_line.h"

int main(int argc, char** argv) {
  const dwelvane::Utf8ConsoleOutput console;
  const std::vector<std::string> words = dwelvane::ReadCommandLineWords(argc, argv);
  return dwelvane::RunCli(words);
}

#pragma once

#include <string>
#include <vector>

namespace dwelvane {

// The words after the program's name, in UTF-8. Windows hands `argv` over in the ANSI code
// page, which may lack characters of a path; its command line in UTF-16 has them all.
std::vector<std::string> ReadCommandLineWords(int argc, char** argv);

// While it lives, the console shows the UTF-8 the program prints: on Windows the console
// takes UTF-8 for its output and gets its own code page back afterwards, Ctrl+C included.
// Elsewhere the terminal's locale decides, and this does nothing.
class Utf8ConsoleOutput {
 public:
  Utf8ConsoleOutput();
  ~Utf8ConsoleOutput();
  Utf8ConsoleOutput(const Utf8ConsoleOutput&) = delete;
  Utf8ConsoleOutput& operator=(const Utf8ConsoleOutput&) = delete;
};

}  // namespace dwelvane

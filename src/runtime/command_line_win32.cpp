#include <windows.h>

#include <shellapi.h>

#include "runtime/command_line.h"
#include "runtime/text_conversion.h"

namespace dwelvane {
namespace {

UINT console_code_page = 0;  // the console's own output code page; 0 while unchanged

void RestoreConsoleCodePage() {
  if (console_code_page != 0) {
    SetConsoleOutputCP(console_code_page);
    console_code_page = 0;
  }
}

// Ctrl+C and closing the console end the process without unwinding main.
BOOL WINAPI RestoreOnInterrupt(DWORD) {
  RestoreConsoleCodePage();
  return FALSE;
}

}  // namespace

std::vector<std::string> ReadCommandLineWords(int, char**) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> converted;
  for (int i = 1; words != nullptr && i < count; ++i) {
    converted.push_back(FromWide(words[i]));
  }
  LocalFree(words);
  return converted;
}

Utf8ConsoleOutput::Utf8ConsoleOutput() {
  const UINT own = GetConsoleOutputCP();
  if (own == 0 || own == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) {
    return;  // no console, or one that shows UTF-8 already
  }
  console_code_page = own;
  SetConsoleCtrlHandler(RestoreOnInterrupt, TRUE);
}

Utf8ConsoleOutput::~Utf8ConsoleOutput() {
  RestoreConsoleCodePage();
  SetConsoleCtrlHandler(RestoreOnInterrupt, FALSE);
}

}  // namespace dwelvane

#include <windows.h>

#include "runtime/temporary_files.h"
#include "runtime/text_conversion.h"

namespace dwelvane {
namespace {

void RemoveOne(const char* path) {
  DeleteFileW(ToWidePath(path).c_str());
}

// Runs on a thread of its own when the console is closed or Ctrl-C pressed; FALSE lets the
// system go on and end the program as it would have.
BOOL WINAPI EndByConsoleEvent(DWORD) {
  temporary_files_detail::ForEachRegistered(RemoveOne);
  return FALSE;
}

}  // namespace

void RemoveTemporaryFilesOnSignals() {
  SetConsoleCtrlHandler(EndByConsoleEvent, TRUE);
}

// GetTempFileName names its files by a counter, not by the target: a file left behind
// can't be told from a user's own, so none is removed.
void RemoveStaleTemporaryFiles(const std::string&) {}

void RemoveStaleTemporaryFilesBeside(const std::string&) {}

}  // namespace dwelvane

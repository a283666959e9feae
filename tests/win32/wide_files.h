#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "settings/file_registry_store.h"
#include "temp_folder.h"
#include "ui/win32/win32_window_system.h"

// Files, programs and the main window for the Windows tests, under paths the ANSI calls
// can't reach: names beyond the code page, paths beyond MAX_PATH. Paths are UTF-8, as in the
// program.
namespace dwelvane::testing {

// A Linux path as the Windows programs see it under Wine: drive Z: is "/".
std::string WinePath(std::string_view linux_path);

// The whole file; empty when it can't be read.
std::string ReadWholeFile(const std::string& path);

// The golden file `name` of tests/data.
std::string Golden(std::string_view name);

// The sample project copied to `folder`\`name`\Demo; its path.
std::string CopyDemoTo(const TempFolder& folder, const std::string& name);

struct ProgramRun {
  unsigned long exit_code = 0;
  std::string error_output;  // the bytes the program wrote to standard error
};

// Runs `program` with `words` on a UTF-16 command line, standard output discarded.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& words);

// The main window as the program builds it over `project` (none when empty), with settings
// of its own.
struct ProjectWindow {
  TempFolder folder;
  Win32WindowSystem window;
  FileRegistryStore store{folder.Join("Dwelvane.reg")};
  RegistryLayer registry{store, [](std::string_view, std::string_view) {}};
  AppState state;
  EventLoop loop{state, window, registry, [] { return DateTime{2009, 2, 5, 9, 5, 3}; }};

  explicit ProjectWindow(const std::string& project, Language language = Language::kEnglish);

  // Clicks `gadget` and handles the events as the event loop does, up to the click's own
  // (a rebuilt window or a closed dialog has raised others before it).
  void Click(int gadget);

  // The control's text as the system holds it.
  std::wstring Shown(int gadget) const;
};

}  // namespace dwelvane::testing

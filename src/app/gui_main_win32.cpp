#include "app/startup.h"
#include "runtime/date_time.h"
#include "settings/platform_settings.h"
#include "ui/win32/win32_window_system.h"

// A Windows program: no console, and the command line is ignored.
int main() {
  dwelvane::Win32WindowSystem window;
  const auto registry = dwelvane::OpenUserRegistry();
  return dwelvane::RunProgram(window, *registry, dwelvane::FindEngineInstallPathElsewhere,
                              dwelvane::DateNow);
}

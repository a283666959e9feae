#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "runtime/date_time.h"
#include "settings/platform_settings.h"
#include "ui/qt/qt_window_system.h"

namespace {

// Without a display Qt would abort; the program says so and ends instead.
bool DisplayAvailable() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int, char** argv) {
  if (!DisplayAvailable()) {
    std::fputs("Dwelvane: the window could not be opened: no display (DISPLAY is not set)\n",
               stderr);
    return 1;
  }
  // The program takes no arguments: Qt sees only the program's name.
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
  dwelvane::QtWindowSystem window;
  const auto registry = dwelvane::OpenUserRegistry();
  return dwelvane::RunProgram(window, *registry, dwelvane::FindEngineInstallPathElsewhere,
                              dwelvane::DateNow);
}

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "runtime/date_time.h"
#include "settings/platform_settings.h"
#include "ui/qt/qt_window_system.h"

namespace {

QtMessageHandler qt_messages = nullptr;

// Qt ends the program with an abort when it can't reach a display; the program says so in
// its own words and ends with exit code 1 instead.
void HandleQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "Dwelvane: the window could not be opened: %s\n",
                 text.toLocal8Bit().constData());
    std::_Exit(1);
  }
  qt_messages(type, context, text);
}

}  // namespace

int main(int, char** argv) {
  qt_messages = qInstallMessageHandler(HandleQtMessage);
  // The program takes no arguments: Qt sees only the program's name.
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
  dwelvane::QtWindowSystem window;
  const auto registry = dwelvane::OpenUserRegistry();
  return dwelvane::RunProgram(window, *registry, dwelvane::FindEngineInstallPathElsewhere,
                              dwelvane::DateNow);
}

// Renders the main window, each tab in English and German, to PNG files, and reports how
// long the window took to show. SUFFIX ends the files' names (say, for the scale factor
// Qt was given).
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "settings/file_registry_store.h"
#include "statistics/run_project_statistics.h"
#include "ui/qt/qt_window_system.h"

namespace {

constexpr const char* kTabNames[] = {"dialogue", "statistics", "options", "infos"};

void Render(dwelvane::QtWindowSystem& window, const std::string& file) {
  QApplication::processEvents();
  if (!window.Window()->grab().save(QString::fromStdString(file))) {
    std::fprintf(stderr, "screenshots: cannot write %s\n", file.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fputs("usage: screenshots SAMPLE_PROJECT OUTPUT_FOLDER [SUFFIX]\n", stderr);
    return 2;
  }
  const std::string suffix = argc == 4 ? argv[3] : "";
  QElapsedTimer started;
  started.start();
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
  dwelvane::QtWindowSystem window;
  dwelvane::FileRegistryStore store("");
  dwelvane::RegistryLayer registry(store, [](std::string_view, std::string_view) {});
  const dwelvane::ReportClock clock = [] { return dwelvane::DateTime{2026, 12, 7, 9, 30, 0}; };
  using dwelvane::Language;
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    dwelvane::AppState state;
    state.settings.WMEProjectDir = std::string(argv[1]) + "/";
    dwelvane::ApplyFirstRunDefaults(state.settings, state.settings.WMEProjectDir);
    state.settings.Language = language;
    dwelvane::EventLoop loop(state, window, registry, clock);
    loop.OpenMainWindow();
    loop.PushSettings();
    window.SetTick(language == Language::kEnglish ? dwelvane::gadget::kEnglishOption
                                                  : dwelvane::gadget::kGermanOption,
                   true);
    while (!window.Window()->isVisible()) {
      QApplication::processEvents();
    }
    if (language == Language::kEnglish) {
      std::printf("window shown %lld ms after start\n", static_cast<long long>(started.elapsed()));
    }
    loop.HandleGadget(dwelvane::gadget::kScanProjectButton);
    // The pictures show a typical folder, not the one they were made in.
    window.SetText(dwelvane::gadget::kProjectPathField, "/home/me/Games/LanternHarbour/");
    const std::string prefix =
        std::string(argv[2]) + (language == Language::kEnglish ? "/en-" : "/de-");
    for (int tab = 0; tab < 4; ++tab) {
      window.SelectTab(tab);
      Render(window, prefix + std::to_string(tab) + "-" + kTabNames[tab] + suffix + ".png");
    }
    window.CloseWindow();
  }
  return 0;
}

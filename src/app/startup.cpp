#include "app/startup.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "runtime/platform_file.h"
#include "runtime/temporary_files.h"

namespace dwelvane {

int RunProgram(WindowSystem& window, RegistryStore& registry_store,
               const EngineInstallPathFallback& engine_fallback, const ReportClock& clock) {
  platform::LetWritesBeyondTheSizeLimitFail();
  RemoveTemporaryFilesOnSignals();
  AppState state;
  RegistryLayer registry(registry_store,
                         [&window](std::string_view caption, std::string_view text) {
                           window.ShowMessage(caption, text);
                           // What the failed action raised (fields it refilled, the focus
                           // leaving for the box and coming back) would only fail again:
                           // one box per action.
                           window.DrainWindowEvents();
                         });
  LoadSettings(registry, state.settings, state.EngineInstallPath, engine_fallback);
  RunFirstRunStep(registry, state.settings, state.EngineInstallPath);
  EventLoop loop(state, window, registry, clock);
  if (!loop.OpenMainWindow()) {
    std::fputs("Dwelvane: the window could not be opened (is a display available?)\n", stderr);
    return 1;
  }
  loop.Run();
  return 0;
}

}  // namespace dwelvane

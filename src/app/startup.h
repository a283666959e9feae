#pragma once

#include "settings/registry_store.h"
#include "settings/settings_persistence.h"
#include "statistics/statistics_report.h"
#include "ui/window_system.h"

namespace dwelvane {

// The program from start to end: settings loaded (and on a first run given their
// defaults and stored), the language chosen, the main window opened, then the event loop
// until the window is closed. Returns the exit code: 1 when the window can't be opened.
int RunProgram(WindowSystem& window, RegistryStore& registry_store,
               const EngineInstallPathFallback& engine_fallback, const ReportClock& clock);

}  // namespace dwelvane

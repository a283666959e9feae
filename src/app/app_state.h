#pragma once

#include <string>

#include "dialogue/dialogue_record.h"
#include "runtime/command_feedback.h"
#include "settings/settings.h"
#include "statistics/project_statistics.h"

namespace dwelvane {

// Everything the program keeps for its whole run; one instance, made at start-up.
struct AppState {
  Settings settings;
  std::string Version = "V0.1";
  std::string EngineInstallPath;
  DialogueTable dialogue_table;
  Progress progress;
  ProjectStatistics statistics;
};

}  // namespace dwelvane

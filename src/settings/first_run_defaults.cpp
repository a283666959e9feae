#include "settings/settings.h"

namespace dwelvane {

bool IsFirstRun(const Settings& settings) {
  return settings.CSVName.empty() && settings.WMEProjectDir.empty() &&
         settings.StatisticName.empty();
}

void ApplyFirstRunDefaults(Settings& settings, std::string_view engine_install_path) {
  settings.WMEProjectDir = engine_install_path;
  settings.CSVName = kDefaultCsvName;
  settings.StatisticName = kDefaultStatisticName;
  settings.Seperator = kDefaultSeparator;
}

}  // namespace dwelvane

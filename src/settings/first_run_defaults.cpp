#include "settings/settings.h"

namespace dwelvane {

bool IsFirstRun(const Settings& settings) {
  return settings.CSVName.empty() && settings.WMEProjectDir.empty() &&
         settings.StatisticName.empty();
}

void ApplyFirstRunDefaults(Settings& settings, std::string_view engine_install_path) {
  settings.WMEProjectDir = std::string(engine_install_path);
  settings.CSVName = std::string(kDefaultCsvName);
  settings.StatisticName = std::string(kDefaultStatisticName);
  settings.Seperator = std::string(kDefaultSeparator);
}

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dwelvane {

inline constexpr std::string_view kDefaultCsvName = "Dialogue_List.csv";
inline constexpr std::string_view kDefaultStatisticName = "Project_Statistics.txt";
inline constexpr std::string_view kDefaultSeparator = ";";

// The six settings, under the names they carry in the registry.
struct Settings {
  std::string WMEProjectDir;
  std::string CSVName;
  std::string StatisticName;
  std::string Seperator{kDefaultSeparator};
  std::string StringTab;
  std::int32_t Language = 0;  // 0 English, any other value German
};

// A first run is one on which none of the three paths has been stored yet.
bool IsFirstRun(const Settings& settings);

// The values a first run starts with; the project folder is the engine's own folder.
void ApplyFirstRunDefaults(Settings& settings, std::string_view engine_install_path);

}  // namespace dwelvane

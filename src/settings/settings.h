#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "runtime/enum_table.h"
#include "runtime/language.h"

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
  dwelvane::Language Language = dwelvane::Language::kEnglish;
};

// The five settings kept as text, in the order they are read and written; the sixth,
// Language, is kept as a number.
enum class TextSetting { kCsvName, kStatisticName, kSeparator, kProjectDir, kStringTab, kCount };

struct TextSettingRow {
  TextSetting setting;
  std::string_view name;  // the registry value name
  std::string Settings::*member;
};

inline constexpr std::array<TextSettingRow, kEnumCount<TextSetting>> kTextSettings{{
    {TextSetting::kCsvName, "CSVName", &Settings::CSVName},
    {TextSetting::kStatisticName, "StatisticName", &Settings::StatisticName},
    {TextSetting::kSeparator, "Seperator", &Settings::Seperator},
    {TextSetting::kProjectDir, "WMEProjectDir", &Settings::WMEProjectDir},
    {TextSetting::kStringTab, "StringTab", &Settings::StringTab},
}};
static_assert(RowsFollowTheirEnum(kTextSettings, &TextSettingRow::setting));

constexpr const TextSettingRow& TextSettingOf(TextSetting setting) {
  return kTextSettings[static_cast<std::size_t>(setting)];
}

// A first run is one on which none of the three paths has been stored yet.
bool IsFirstRun(const Settings& settings);

// The values a first run starts with; the project folder is the engine's own folder.
void ApplyFirstRunDefaults(Settings& settings, std::string_view engine_install_path);

}  // namespace dwelvane

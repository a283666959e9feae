#include "settings/settings_persistence.h"

#include <array>

#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

struct TextSetting {
  std::string_view name;
  std::string Settings::*field;
};

// In the order they are read and written.
constexpr std::array<TextSetting, 5> kTextSettings{{
    {"CSVName", &Settings::CSVName},
    {"StatisticName", &Settings::StatisticName},
    {"Seperator", &Settings::Seperator},
    {"WMEProjectDir", &Settings::WMEProjectDir},
    {"StringTab", &Settings::StringTab},
}};

constexpr std::string_view kLanguageName = "Language";

bool ReadValue(RegistryLayer& registry, std::string_view key, std::string_view name,
               std::string& into) {
  if (registry.RegistryGetValue(kHkeyCurrentUser, key, name, "") != kRegistrySuccess) {
    return false;
  }
  into = registry.RegistryReadResult;
  return true;
}

}  // namespace

void LoadSettings(RegistryLayer& registry, Settings& settings, std::string& engine_install_path,
                  const EngineInstallPathFallback& fallback) {
  if (!ReadValue(registry, kEngineToolsKey, "InstallPath", engine_install_path) &&
      registry.RegistryKeyExists(kHkeyCurrentUser, kEngineToolsKey, "") == 0) {
    if (const auto found = fallback()) {
      engine_install_path = *found;
    }
  }
  for (const TextSetting& setting : kTextSettings) {
    ReadValue(registry, kSettingsKey, setting.name, settings.*setting.field);
  }
  std::string language;
  if (ReadValue(registry, kSettingsKey, kLanguageName, language)) {
    settings.Language = TextToNumber(language);
  }
}

bool SaveSettings(RegistryLayer& registry, const Settings& settings) {
  // The first value the store can't keep ends it: one error box, not six.
  for (const TextSetting& setting : kTextSettings) {
    if (!SaveSetting(registry, setting.name, settings.*setting.field)) {
      return false;
    }
  }
  return SaveLanguage(registry, settings.Language);
}

void RunFirstRunStep(RegistryLayer& registry, Settings& settings,
                     std::string_view engine_install_path) {
  if (!IsFirstRun(settings)) {
    return;
  }
  ApplyFirstRunDefaults(settings, engine_install_path);
  for (const std::string_view key : {kMakerKey, kSettingsKey}) {
    // A key that can't be made fails the writes below, and they show the error box.
    if (registry.RegistryKeyExists(kHkeyCurrentUser, key, "") == 0) {
      static_cast<void>(registry.RegistryCreateKey(kHkeyCurrentUser, key, ""));
    }
  }
  SaveSettings(registry, settings);  // a value the store can't keep has shown its box
}

bool SaveSetting(RegistryLayer& registry, std::string_view name, std::string_view value) {
  return registry.RegistrySetValue(kHkeyCurrentUser, kSettingsKey, name, value, kRegistryString,
                                   "") == 1;
}

bool SaveLanguage(RegistryLayer& registry, std::int32_t language) {
  return registry.RegistrySetValue(kHkeyCurrentUser, kSettingsKey, kLanguageName,
                                   NumberToText(language), kRegistryNumber, "") == 1;
}

}  // namespace dwelvane

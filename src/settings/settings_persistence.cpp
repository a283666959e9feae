#include "settings/settings_persistence.h"

#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

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
  for (const TextSettingRow& row : kTextSettings) {
    ReadValue(registry, kSettingsKey, row.name, settings.*row.member);
  }
  std::string language;
  if (ReadValue(registry, kSettingsKey, kLanguageName, language)) {
    settings.Language = TextToNumber(language) == 0 ? Language::kEnglish : Language::kGerman;
  }
}

bool SaveSettings(RegistryLayer& registry, const Settings& settings) {
  // The first value the store can't keep ends it: one error box, not six.
  for (const TextSettingRow& row : kTextSettings) {
    if (!SaveSetting(registry, settings, row.setting)) {
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

bool SaveSetting(RegistryLayer& registry, const Settings& settings, TextSetting setting) {
  const TextSettingRow& row = TextSettingOf(setting);
  return registry.RegistrySetValue(kHkeyCurrentUser, kSettingsKey, row.name, settings.*row.member,
                                   kRegistryString, "") == 1;
}

bool SaveLanguage(RegistryLayer& registry, Language language) {
  const std::string_view number = language == Language::kEnglish ? "0" : "1";
  return registry.RegistrySetValue(kHkeyCurrentUser, kSettingsKey, kLanguageName, number,
                                   kRegistryNumber, "") == 1;
}

}  // namespace dwelvane

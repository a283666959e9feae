#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/registry_layer.h"
#include "settings/settings.h"

namespace dwelvane {

inline constexpr std::string_view kMakerKey = "Software\\Kelterpine";
inline constexpr std::string_view kSettingsKey = "Software\\Kelterpine\\Dwelvane";
inline constexpr std::string_view kEngineToolsKey =
    "Software\\DEAD:CODE\\Wintermute Tools\\Settings";

// Where else the engine tools' folder may be recorded when the store has no key of
// theirs (on Linux: the Wine prefix the tools run in).
using EngineInstallPathFallback = std::function<std::optional<std::string>()>;

// Reads the engine tools' "InstallPath" into `engine_install_path` and the six settings;
// a value that can't be read leaves its setting as it was.
void LoadSettings(RegistryLayer& registry, Settings& settings, std::string& engine_install_path,
                  const EngineInstallPathFallback& fallback);

// Writes all six settings into the settings key; false, after the registry layer's error
// box, at the first one that can't be stored.
bool SaveSettings(RegistryLayer& registry, const Settings& settings);

// On a first run (no paths stored yet): the defaults, the program's keys, all settings
// written. Does nothing on later runs.
void RunFirstRunStep(RegistryLayer& registry, Settings& settings,
                     std::string_view engine_install_path);

// Writes one setting from `settings`, under its value name, right after it changed in
// memory. False when it could not be stored; the registry layer has then told the user with
// its error box.
bool SaveSetting(RegistryLayer& registry, const Settings& settings, TextSetting setting);
// Stored as a number: 0 English, 1 German.
bool SaveLanguage(RegistryLayer& registry, Language language);

}  // namespace dwelvane

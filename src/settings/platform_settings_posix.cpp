#include <cstdlib>

#include "settings/file_registry_store.h"
#include "settings/platform_settings.h"
#include "settings/wine_install_path.h"

namespace dwelvane {
namespace {

// ${XDG_CONFIG_HOME:-$HOME/.config}/Kelterpine/Dwelvane.reg; empty without either. A
// relative XDG_CONFIG_HOME is ignored, as the XDG rules say: it would name another
// folder from every working directory.
std::string DefaultSettingsStorePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::string folder;
  if (config != nullptr && *config == '/') {
    folder = config;
  } else if (home != nullptr && *home != '\0') {
    folder = std::string(home) + "/.config";
  } else {
    return {};
  }
  return folder + "/Kelterpine/Dwelvane.reg";
}

}  // namespace

std::unique_ptr<RegistryStore> OpenUserRegistry() {
  return std::make_unique<FileRegistryStore>(DefaultSettingsStorePath());
}

// Linux users run the engine's own tools under Wine.
std::optional<std::string> FindEngineInstallPathElsewhere() {
  return ReadWineEngineInstallPath(DefaultWinePrefix());
}

}  // namespace dwelvane

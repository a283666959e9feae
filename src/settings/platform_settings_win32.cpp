#include "settings/platform_settings.h"
#include "settings/win32_registry_store.h"

namespace dwelvane {

std::unique_ptr<RegistryStore> OpenUserRegistry() {
  return std::make_unique<Win32RegistryStore>();
}

std::optional<std::string> FindEngineInstallPathElsewhere() {
  return std::nullopt;
}

}  // namespace dwelvane

#pragma once

#include <memory>
#include <optional>
#include <string>

#include "settings/registry_store.h"

namespace dwelvane {

// The current user's registry: the real one on Windows, the settings file elsewhere.
std::unique_ptr<RegistryStore> OpenUserRegistry();

// The engine tools' folder from where else this platform may record it when the user
// registry has no key of theirs; nothing when there is no such place.
std::optional<std::string> FindEngineInstallPathElsewhere();

}  // namespace dwelvane

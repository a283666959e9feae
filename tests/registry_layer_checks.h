#pragma once

#include <string>

#include "settings/registry_store.h"

namespace dwelvane::testing {

// What the registry layer promises over any store: a write into a missing key fails after
// one error box; texts of any length read whole and numbers stored from their text; values of
// other types read as absent; keys and values made, listed and deleted as in the registry.
// `key`, under HKEY_CURRENT_USER, must not exist yet; it is left without sub-keys.
void CheckLayerPromises(RegistryStore& store, const std::string& key);

}  // namespace dwelvane::testing

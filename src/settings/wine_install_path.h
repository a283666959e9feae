#pragma once

#include <optional>
#include <string>

namespace dwelvane {

// ${WINEPREFIX:-$HOME/.wine}
std::string DefaultWinePrefix();

// The engine tools' "InstallPath" as the Wine prefix's user registry (user.reg) records
// it, with its drive letter mapped to the folder the prefix's dosdevices link names.
// Nothing when the prefix, the key, the value or the drive is missing.
std::optional<std::string> ReadWineEngineInstallPath(const std::string& prefix);

}  // namespace dwelvane

#pragma once

#include "cli/command_table.h"

namespace dwelvane {

inline constexpr int kExitFindings = 3;

// dwelvane-cli check.
extern const CommandEntry kCheckCommand;

}  // namespace dwelvane

#pragma once

#include "cli/command_table.h"

namespace dwelvane {

// dwelvane-cli stats.
extern const CommandEntry kStatsCommand;

}  // namespace dwelvane

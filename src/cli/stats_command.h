#pragma once

#include "cli/command_table.h"

namespace dwelvane {

// dwelvane-cli stats.
extern const CommandSpec kStatsCommand;

}  // namespace dwelvane

#pragma once

#include "cli/command_table.h"

namespace dwelvane {

// dwelvane-cli dialogue.
extern const CommandSpec kDialogueCommand;

}  // namespace dwelvane

#pragma once

#include "cli/command_table.h"

namespace dwelvane {

// dwelvane-cli dialogue.
extern const CommandEntry kDialogueCommand;

}  // namespace dwelvane

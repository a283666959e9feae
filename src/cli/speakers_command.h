#pragma once

#include "cli/command_table.h"

namespace dwelvane {

// dwelvane-cli speakers.
extern const CommandSpec kSpeakersCommand;

}  // namespace dwelvane

#pragma once

#include "cli/command_table.h"

namespace dwelvane {

// dwelvane-cli speakers.
extern const CommandEntry kSpeakersCommand;

}  // namespace dwelvane

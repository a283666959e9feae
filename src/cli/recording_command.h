#pragma once

#include "cli/command_table.h"

namespace dwelvane {

extern const CommandEntry kRecordingCommand;

}  // namespace dwelvane

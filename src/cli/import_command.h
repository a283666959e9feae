#pragma once

#include "cli/command_table.h"

namespace dwelvane {

extern const CommandEntry kImportCommand;

}  // namespace dwelvane

#pragma once

#include "runtime/command_feedback.h"

namespace dwelvane {

// Progress for a person watching the terminal: the status text and a percentage on one
// line of standard error, rewritten in place. Silent when standard error is no terminal.
CommandFeedback MakeTerminalProgress();

// Clears the progress line, so that messages after it start on a clean line.
void EndTerminalProgress();

}  // namespace dwelvane

#pragma once

#include "runtime/io_error.h"

namespace dwelvane {

enum class CommandResult {
  kCompleted,     // every output that was asked for is written
  kNothingToDo,   // no project folder: nothing walked, nothing written
  kOutputFailed,  // an output could not be created or written completely
  kCancelled,     // the user stopped it before it wrote anything: the old outputs stay
};

// What a long command (the dialogue table, the statistics) did, and for an output that
// failed, why; callers tell the user about every result but kCompleted.
struct [[nodiscard]] CommandOutcome {
  CommandResult result = CommandResult::kCompleted;
  IoError error;

  static CommandOutcome NothingToDo() { return {CommandResult::kNothingToDo, {}}; }
  static CommandOutcome Cancelled() { return {CommandResult::kCancelled, {}}; }
  // Completed, or the output failed as `written` says.
  static CommandOutcome AfterWriting(IoError written) {
    const CommandResult result =
        written.Failed() ? CommandResult::kOutputFailed : CommandResult::kCompleted;
    return {result, std::move(written)};
  }
};

}  // namespace dwelvane

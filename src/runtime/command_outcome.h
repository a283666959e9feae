#pragma once

namespace dwelvane {

// What a long command (the dialogue table, the statistics) did; callers tell the user
// about every outcome but kCompleted.
enum class [[nodiscard]] CommandOutcome{
    kCompleted,     // every output that was asked for is written
    kNothingToDo,   // no project folder: nothing walked, nothing written
    kOutputFailed,  // an output could not be created or written completely
};

}  // namespace dwelvane

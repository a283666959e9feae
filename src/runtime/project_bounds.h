#pragma once

#include <string>

#include "runtime/io_error.h"

namespace dwelvane {

// True when `real_path` is `real_folder` or lies below it, both as platform::RealPathOf
// gives them; false when either is empty (not known).
bool LiesWithin(const std::string& real_path, const std::string& real_folder);

// Why an output the program places in `project_folder` on its own (the user didn't name it)
// must not be written at `path`: the path is a link (which would let a project's author
// aim the output at any file of the user's), or its folder's real path leads out of the
// project. No failure for a file that isn't there yet, nor where a path can't be resolved:
// creating the file then fails with the system's own reason.
IoError CheckOutputInProject(const std::string& path, const std::string& project_folder);

}  // namespace dwelvane

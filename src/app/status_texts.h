#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/command_feedback.h"
#include "runtime/io_error.h"
#include "runtime/language.h"

namespace dwelvane {

// The status line after an output could not be written, with the system's reason.
std::string OutputFailedStatusText(const IoError& error, Language language);

// The status line after the memory ran out while the file at `path` was read.
std::string OutOfMemoryStatusText(std::string_view path, Language language);

// The status line after `count` files or folders could not be read.
std::string SkippedStatusText(std::int64_t count, Language language);

// The status line after an output held `name` in UTF-8, the system's code page lacking
// characters of it.
std::string NameInUtf8StatusText(std::string_view name, Language language);

}  // namespace dwelvane

#pragma once

namespace dwelvane {

// Paths are joined with the platform's own separator so that the texts written to the
// dialogue table look like the paths the user sees in the file manager.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace dwelvane

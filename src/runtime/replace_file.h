#pragma once

#include <string>

namespace dwelvane {

// Replaces the contents of `path` in one step: the bytes go to a temporary file in the
// same folder, are flushed to the disk, and the temporary file is renamed over `path`. A
// crash at any moment leaves either the old or the new contents, never a part. Callers
// serialise writers with a FileLock, since the temporary file's name is fixed. The file
// is readable by the user alone.
[[nodiscard]] bool ReplaceFileContents(const std::string& path, const std::string& bytes);

}  // namespace dwelvane

#pragma once

#include <string>
#include <string_view>

namespace dwelvane {

// The folder of the running executable, ending with the path separator.
const std::string& ProgramFolder();

// Platform part: asks the system where the executable is; ProgramFolder asks once.
std::string ReadProgramFolder();

bool IsAbsolutePath(std::string_view path);

// Relative paths, the empty one included, are taken relative to the program folder: the
// program never changes or relies on the process's current directory.
std::string ResolveProgramPath(std::string_view path);

// The last name of a project folder's path (which may end with a separator), as pages and
// files name the project.
std::string ProjectFolderName(const std::string& folder);

// Makes a path typed on a command line absolute against the current directory and
// removes "." and ".." steps.
std::string MakeAbsoluteFromWorkingDirectory(std::string_view path);

// `folder` with one path separator at its end; the empty text stays empty.
std::string EnsureTrailingSeparator(std::string_view folder);

// A file inside the project folder: the folder, a separator where it lacks one, the name.
std::string JoinProjectPath(std::string_view project_folder, std::string_view name);

}  // namespace dwelvane

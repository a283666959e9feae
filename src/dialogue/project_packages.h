#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dwelvane {

// The first file of `folder`, in listing order, whose name ends with `ending` (or, with
// `whole`, is `ending`), in any letter case.
std::optional<std::string> FindFileEndingWith(const std::string& folder, std::string_view ending,
                                              bool whole);

// The package folders that a project's .wpr file lists ([PackageN] sections with Folder=
// and Primary=1), relative to the project folder as written there; the primary one (else
// the first) first, each as written (perhaps empty). Empty without a .wpr or packages.
std::vector<std::string> ReadPackageFolders(const std::string& project_folder);

}  // namespace dwelvane

#include "dialogue/project_packages.h"

#include <algorithm>
#include <string_view>

#include "runtime/directory_listing.h"
#include "runtime/line_reader.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

struct Package {
  std::string folder;
  bool primary = false;
};

std::vector<Package> ReadPackages(const std::string& project_file) {
  std::vector<Package> packages;
  LineReader reader;
  if (reader.FileOpenRead(project_file).Failed()) {
    return packages;
  }
  bool in_package = false;
  while (!reader.FileAtEnd()) {
    const std::string_view line = TrimBlanks(reader.FileReadLine());
    if (line.starts_with('[') && line.ends_with(']')) {
      const std::string_view section = line.substr(1, line.size() - 2);
      in_package = section.size() > 7 && EqualIgnoringAsciiCase(section.substr(0, 7), "package");
      if (in_package) {
        packages.emplace_back();
      }
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!in_package || equals == std::string_view::npos) {
      continue;
    }
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    const std::string_view value = TrimBlanks(line.substr(equals + 1));
    if (EqualIgnoringAsciiCase(key, "Folder")) {
      packages.back().folder = value;
    } else if (EqualIgnoringAsciiCase(key, "Primary")) {
      packages.back().primary = value == "1";
    }
  }
  return packages;
}

}  // namespace

std::optional<std::string> FindFileEndingWith(const std::string& folder, std::string_view ending,
                                              bool whole) {
  DirectoryListing listing;
  if (listing.DirListOpen(folder).Failed()) {
    return std::nullopt;
  }
  for (EntryKind kind; (kind = listing.DirListNext()) != kNoEntry;) {
    const std::string& name = listing.DirListEntryName();
    if (kind == kFileEntry && EndsWithLowered(name, ending) &&
        (!whole || name.size() == ending.size())) {
      return JoinProjectPath(folder, name);
    }
  }
  return std::nullopt;
}

std::vector<std::string> ReadPackageFolders(const std::string& project_folder) {
  std::vector<std::string> folders;
  const auto project_file = FindFileEndingWith(ResolveProgramPath(project_folder), ".wpr", false);
  if (!project_file) {
    return folders;
  }
  std::vector<Package> packages = ReadPackages(*project_file);
  // The primary package comes first; the others keep their order.
  std::stable_partition(packages.begin(), packages.end(),
                        [](const Package& package) { return package.primary; });
  for (Package& package : packages) {
    folders.push_back(std::move(package.folder));
  }
  return folders;
}

}  // namespace dwelvane

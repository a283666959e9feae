#include "dialogue/package_string_table.h"

#include <string_view>
#include <vector>

#include "runtime/directory_listing.h"
#include "runtime/line_reader.h"
#include "runtime/path_separator.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

struct Package {
  std::string folder;
  bool primary = false;
};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  return text;
}

// The first file of `folder`, in listing order, whose name ends with `ending` (or, with
// `whole`, is `ending`), in any letter case.
std::optional<std::string> FindFile(const std::string& folder, std::string_view ending,
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

std::vector<Package> ReadPackages(const std::string& project_file) {
  std::vector<Package> packages;
  LineReader reader;
  if (reader.FileOpenRead(project_file).Failed()) {
    return packages;
  }
  bool in_package = false;
  while (!reader.FileAtEnd()) {
    const std::string_view line = Trimmed(reader.FileReadLine());
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
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    if (EqualIgnoringAsciiCase(key, "Folder")) {
      packages.back().folder = value;
    } else if (EqualIgnoringAsciiCase(key, "Primary")) {
      packages.back().primary = value == "1";
    }
  }
  return packages;
}

// The folder a package names, inside the project; "\" and "/" both separate.
std::string PackageFolder(const std::string& project_folder, std::string folder) {
  for (char& c : folder) {
    c = c == '\\' || c == '/' ? kPathSeparator : c;
  }
  return JoinProjectPath(project_folder, folder);
}

}  // namespace

std::optional<std::string> FindPackageStringTable(const std::string& project_folder) {
  const std::string project = ResolveProgramPath(project_folder);
  std::vector<std::string> folders;
  if (const auto project_file = FindFile(project, ".wpr", false)) {
    const std::vector<Package> packages = ReadPackages(*project_file);
    const Package* chosen = packages.empty() ? nullptr : &packages.front();
    for (const Package& package : packages) {
      chosen = package.primary && !chosen->primary ? &package : chosen;
    }
    if (chosen != nullptr && !chosen->folder.empty()) {
      folders.push_back(PackageFolder(project, chosen->folder));
    }
  }
  folders.push_back(JoinProjectPath(project, "data"));
  for (const std::string& folder : folders) {
    const auto table = FindFile(folder, "string.tab", true);
    if (table && FileIsReadable(*table)) {
      return table;
    }
  }
  return std::nullopt;
}

}  // namespace dwelvane

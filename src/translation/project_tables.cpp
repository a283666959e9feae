#include "translation/project_tables.h"

#include <algorithm>
#include <vector>

#include "dialogue/project_packages.h"
#include "dialogue/string_table.h"
#include "runtime/directory_listing.h"
#include "runtime/line_reader.h"
#include "runtime/path_separator.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// The entry of `folder` named `name`: its own spelling first, else any in another ASCII
// letter case. Nothing when the folder holds neither.
std::optional<std::string> FindEntryIgnoringCase(const std::string& folder, std::string_view name) {
  DirectoryListing listing;
  if (listing.DirListOpen(folder).Failed()) {
    return std::nullopt;
  }
  std::optional<std::string> other_case;
  while (listing.DirListNext() != kNoEntry) {
    const std::string& entry = listing.DirListEntryName();
    if (entry == name) {
      return entry;
    }
    if (!other_case && EqualIgnoringAsciiCase(entry, name)) {
      other_case = entry;
    }
  }
  return other_case;
}

// The table at `relative` below the package folder `folder`.
ProjectTable TableIn(const std::string& folder, std::string_view relative) {
  std::string path = FindPathIgnoringCase(folder, relative);
  std::string below = path.substr(EnsureTrailingSeparator(folder).size());
  return {.path = std::move(path), .package_folder = folder, .relative = std::move(below)};
}

// `path` after `folder` and a separator, "\" and "/" alike and ASCII case ignored; nothing
// when it doesn't start there.
std::optional<std::string_view> PathBelow(std::string_view path, std::string_view folder) {
  while (!folder.empty() && IsSeparator(folder.back())) {
    folder.remove_suffix(1);
  }
  if (folder.empty() || path.size() <= folder.size() || !IsSeparator(path[folder.size()])) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < folder.size(); ++i) {
    const bool same = IsSeparator(path[i]) ? IsSeparator(folder[i])
                                           : LowerAscii(path[i]) == LowerAscii(folder[i]);
    if (!same) {
      return std::nullopt;
    }
  }
  return path.substr(folder.size() + 1);
}

// The table at `relative` below the project folder, in the package the .wpr lists that
// holds it, if one does.
ProjectTable TableInProject(const std::string& project, const std::vector<std::string>& packages,
                            std::string_view relative) {
  for (const std::string& package : packages) {
    if (const auto below = PathBelow(relative, package)) {
      return TableIn(FindPathIgnoringCase(project, package), *below);
    }
  }
  return TableIn(project, relative);
}

// The last name of a package's folder as the .wpr writes it.
std::string_view FolderName(std::string_view folder) {
  while (!folder.empty() && IsSeparator(folder.back())) {
    folder.remove_suffix(1);
  }
  const std::size_t last = folder.find_last_of("\\/");
  return last == std::string_view::npos ? folder : folder.substr(last + 1);
}

std::string PrimaryPackageFolder(const std::string& project,
                                 const std::vector<std::string>& packages) {
  return packages.empty() || packages.front().empty()
             ? project
             : FindPathIgnoringCase(project, packages.front());
}

}  // namespace

std::optional<std::string_view> StringTableSetting(std::string_view text) {
  const char* const end = text.data() + text.size();
  for (const char* start = text.data(); start < end;) {
    const char* stop = FindLineEnd(start, end);
    const std::string_view line = TrimBlanks({start, static_cast<std::size_t>(stop - start)});
    start = stop + 1;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos ||
        !EqualIgnoringAsciiCase(TrimBlanks(line.substr(0, equals)), "STRING_TABLE")) {
      continue;
    }
    std::string_view value = TrimBlanks(line.substr(equals + 1));
    if (value.size() >= 2 && value.starts_with('"') && value.ends_with('"')) {
      value = value.substr(1, value.size() - 2);
    }
    if (!value.empty()) {
      return value;
    }
  }
  return std::nullopt;
}

std::optional<std::string> ReadStringTableSetting(const std::string& path) {
  std::string text;
  if (ReadWholeFile(path, text).Failed()) {
    return std::nullopt;
  }
  const auto value = StringTableSetting(text);
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

std::string FindPathIgnoringCase(const std::string& folder, std::string_view relative) {
  std::string path = folder;
  bool on_disk = true;
  while (!relative.empty()) {
    const std::size_t stop = std::min(relative.find_first_of("\\/"), relative.size());
    const std::string_view name = relative.substr(0, stop);
    relative.remove_prefix(std::min(stop + 1, relative.size()));
    if (name.empty()) {
      continue;
    }
    std::optional<std::string> found = on_disk ? FindEntryIgnoringCase(path, name) : std::nullopt;
    on_disk = found.has_value();
    path = JoinProjectPath(path, found ? *found : name);
  }
  return path;
}

ProjectTable FindBaseTable(const std::string& project_folder) {
  const std::string project = ResolveProgramPath(project_folder);
  const std::vector<std::string> packages = ReadPackageFolders(project);
  const std::string primary = PrimaryPackageFolder(project, packages);
  if (const auto settings = FindFileEndingWith(primary, "startup.settings", true)) {
    if (const auto value = ReadStringTableSetting(*settings)) {
      return TableIn(primary, *value);
    }
  }
  if (const auto project_file = FindFileEndingWith(project, ".wpr", false)) {
    if (const auto value = ReadStringTableSetting(*project_file)) {
      return TableInProject(project, packages, *value);
    }
  }
  const StringTableChoice choice = ChooseStringTable("", project);
  const std::string_view below =
      std::string_view(choice.path).substr(EnsureTrailingSeparator(project).size());
  if (choice.in_package) {
    // The packaged table lies right in its package's folder.
    const std::size_t name = below.find_last_of(kPathSeparator);
    return TableIn(JoinProjectPath(project, below.substr(0, name)), below.substr(name + 1));
  }
  return TableInProject(project, packages, below);
}

ProjectTable FindLanguageTable(const std::string& project_folder, std::string_view language,
                               const ProjectTable& base) {
  const std::string project = ResolveProgramPath(project_folder);
  for (const std::string& package : ReadPackageFolders(project)) {
    if (EqualIgnoringAsciiCase(FolderName(package), language)) {
      return TableIn(FindPathIgnoringCase(project, package), base.relative);
    }
  }
  return TableIn(FindPathIgnoringCase(project, language), base.relative);
}

}  // namespace dwelvane

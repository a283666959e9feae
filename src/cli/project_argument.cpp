#include "cli/project_argument.h"

#include <string_view>

#include "runtime/directory_listing.h"
#include "runtime/path_separator.h"
#include "runtime/platform_file.h"
#include "runtime/program_paths.h"
#include "runtime/project_file.h"

namespace dwelvane {
namespace {

constexpr char kSeparatorBytes[] = {'/', kPathSeparator};
constexpr std::string_view kSeparators(kSeparatorBytes, 2);

struct ProjectAbove {
  std::string folder;
  std::string file;
};

// What one listing of a folder tells of it as a project folder.
struct FolderLook {
  bool listed = false;
  std::string project_file;  // the name of a .wpr file directly in it; empty without one
};

FolderLook LookInto(const std::string& folder) {
  DirectoryListing listing;
  if (listing.DirListOpen(folder).Failed()) {
    return {};
  }
  for (EntryKind kind; (kind = listing.DirListNext()) != kNoEntry;) {
    if (kind == kFileEntry && IsProjectFileName(listing.DirListEntryName())) {
      return {true, listing.DirListEntryName()};
    }
  }
  return {true, {}};
}

// The folder `path` lies in; nothing for a root ("/", "C:\", "\\server"). Each parent is
// shorter than its child, so that going up always ends.
std::optional<std::string> ParentFolder(std::string_view path) {
  while (path.size() > 1 && kSeparators.find(path.back()) != std::string_view::npos) {
    path.remove_suffix(1);
  }
  const std::size_t last = path.find_last_of(kSeparators);
  if (last == std::string_view::npos) {
    return std::nullopt;
  }
  // A root keeps its separator: "C:" alone names the drive's current folder.
  const bool root = last == 0 || path[last - 1] == ':';
  const std::string_view parent = path.substr(0, root ? last + 1 : last);
  const bool unc_server =
      path.starts_with("\\\\") && parent.find_first_not_of('\\') == std::string_view::npos;
  if (parent.size() >= path.size() || unc_server) {
    return std::nullopt;
  }
  return std::string(parent);
}

// The nearest folder above `folder` that holds a .wpr file. One listing per level; a
// folder that can't be listed is passed.
std::optional<ProjectAbove> FindProjectAbove(const std::string& folder) {
  for (auto parent = ParentFolder(folder); parent; parent = ParentFolder(*parent)) {
    if (const FolderLook look = LookInto(*parent); !look.project_file.empty()) {
      return ProjectAbove{*parent, JoinProjectPath(*parent, look.project_file)};
    }
  }
  return std::nullopt;
}

// Above the folder's path, then above its real path: through a link, a folder may lie in
// a project that its path doesn't show.
std::optional<ProjectAbove> FindProjectAboveEither(const std::string& folder) {
  if (auto project = FindProjectAbove(folder)) {
    return project;
  }
  const std::string real = platform::RealPathOf(folder);
  if (real.empty() || EnsureTrailingSeparator(real) == EnsureTrailingSeparator(folder)) {
    return std::nullopt;
  }
  return FindProjectAbove(real);
}

// `path` as the user may type it here: below the current folder relative to it.
std::string Shown(const std::string& path) {
  const std::string here = EnsureTrailingSeparator(MakeAbsoluteFromWorkingDirectory("."));
  if (path.size() > here.size() && path.starts_with(here)) {
    return path.substr(here.size());
  }
  return EnsureTrailingSeparator(path) == here ? "." : path;
}

}  // namespace

std::optional<std::string> ResolveProjectArgument(const std::string& given, std::string& error) {
  const std::string absolute = MakeAbsoluteFromWorkingDirectory(given);
  if (IsProjectFileName(absolute) &&
      platform::KindOfPath(absolute) == platform::PathKind::kRegularFile) {
    return absolute.substr(0, absolute.find_last_of(kSeparators) + 1);
  }
  if (const FolderLook look = LookInto(absolute); !look.listed || !look.project_file.empty()) {
    return absolute;
  }
  if (const auto project = FindProjectAboveEither(absolute)) {
    error = "'" + given + "' lies inside the project '" + Shown(project->folder) + "' (" +
            Shown(project->file) + "); give that folder";
    return std::nullopt;
  }
  return absolute;
}

}  // namespace dwelvane

#include "dialogue/script_discovery.h"

#include "dialogue/script_file_scan.h"
#include "runtime/line_reader.h"
#include "runtime/path_separator.h"
#include "runtime/platform_file.h"
#include "runtime/text_arena.h"
#include "runtime/text_operations.h"

namespace dwelvane {

bool ScriptFiles::Holds(std::string_view name) const {
  return EndsWithLowered(name, ".script") || (with_inc && EndsWithLowered(name, ".inc"));
}

namespace {

// What the walk met, in its order: a script, a folder it couldn't list, or the end of a
// subfolder, where the walk let the window handle its events.
enum class Met { kScript, kUnlistedFolder, kSubfolderEnd };

struct ListedScript {
  std::size_t folder;  // in ScriptList::folders
  std::string_view name;
  Met met = Met::kScript;
  bool listed_regular = false;
};

// The script files of a project in walk order, kept from the one walk for the scan, so
// that no folder is listed twice. Unlisted folders and subfolder ends keep their places,
// so that the scan tells skipped entries in walk order and stays as responsive.
struct ScriptList {
  std::vector<std::string> folders;
  std::vector<ListedScript> met;
  std::size_t script_count = 0;
  TextArena names;

  std::size_t FolderIndex(const std::string& folder) {
    if (folders.empty() || folders.back() != folder) {
      folders.push_back(folder);
    }
    return folders.size() - 1;
  }
};

ScriptList ListScriptFiles(const std::string& folder, ScriptFiles scripts,
                           const CommandFeedback& feedback, const FileObserver& see_file) {
  ScriptList list;
  const auto visit_file = [&](const WalkedFile& file) {
    if (scripts.Holds(file.name)) {
      list.met.push_back({list.FolderIndex(file.folder), list.names.Store(file.name), Met::kScript,
                          file.listed_regular});
      ++list.script_count;
    }
    if (see_file) {
      see_file(file);
    }
  };
  const auto after_subfolder = [&] {
    feedback.drain_window_events();
    list.met.push_back({0, {}, Met::kSubfolderEnd});
  };
  const auto unlisted_folder = [&](const std::string& unlisted) {
    list.met.push_back({list.FolderIndex(unlisted), {}, Met::kUnlistedFolder});
  };
  WalkFolder(folder, {visit_file, after_subfolder, unlisted_folder});
  return list;
}

void ScanScriptList(const ScriptList& list, DialogueTable& table, Progress& progress,
                    const CommandFeedback& feedback) {
  LineReader reader;
  reader.TrackEncoding();
  std::string name;
  std::string path;
  for (const ListedScript& entry : list.met) {
    if (entry.met == Met::kSubfolderEnd) {
      feedback.drain_window_events();
      continue;
    }
    const std::string& folder = list.folders[entry.folder];
    if (entry.met == Met::kUnlistedFolder) {
      feedback.note_skipped(folder);
      continue;
    }
    name.assign(entry.name);
    path.assign(folder).push_back(kPathSeparator);
    path.append(name);
    if (!ScanScriptFile({folder, name, path, entry.listed_regular}, table, reader)) {
      // A script gone since the walk is no longer part of the project, as it wouldn't be
      // had the scan walked the folders again.
      if (platform::KindOfPath(path) == platform::PathKind::kMissing) {
        continue;
      }
      feedback.note_skipped(path);
    }
    ++table.ScriptCount;
    ++progress.ProgressCount;
    SetProgress(progress, feedback);
  }
}

}  // namespace

void ScanDialogue(const std::string& folder, ScriptFiles scripts, DialogueTable& table,
                  Progress& progress, const CommandFeedback& feedback,
                  const FileObserver& see_file) {
  table.Clear();
  progress.ProgressCount = 0;
  const ScriptList list = ListScriptFiles(folder, scripts, feedback, see_file);
  progress.ProgressTotal = static_cast<std::int64_t>(list.script_count);
  feedback.show_status("Scanning scripts ...");
  ScanScriptList(list, table, progress, feedback);
}

}  // namespace dwelvane

#include "dialogue/unused_audio.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "dialogue/file_name_compare.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

using PathSet = std::unordered_set<std::string_view, FileNameHash, FileNameEqual>;

bool IsSoundFile(std::string_view path) {
  return EndsWithLowered(path, ".ogg") || EndsWithLowered(path, ".wav");
}

std::string_view FolderOf(std::string_view path) {
  return path.substr(0, path.size() - ProjectFileIndex::LastComponent(path).size());
}

}  // namespace

void FindUnusedAudio(const DialogueTable& table, const ProjectFileIndex& files, bool every_folder,
                     std::string_view prefix, Findings& findings) {
  PathSet named;
  PathSet voice_folders;
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    const std::string_view audio = table.Record(i).AudioFile;
    if (!audio.empty()) {
      files.ForEachFileNamed(audio, [&](std::string_view path) {
        named.insert(path);
        voice_folders.insert(FolderOf(path));
      });
    }
  }
  std::vector<std::string_view> unused;
  files.ForEachFile([&](std::string_view path) {
    if (IsSoundFile(path) && !named.contains(path) &&
        (every_folder || voice_folders.contains(FolderOf(path)))) {
      unused.push_back(path);
    }
  });
  std::sort(unused.begin(), unused.end());
  std::string shown;
  for (const std::string_view path : unused) {
    shown.assign(prefix).append(path);
    std::replace(shown.begin() + static_cast<std::ptrdiff_t>(prefix.size()), shown.end(), '\\',
                 '/');
    const std::string_view stored = findings.paths.Store(shown);
    findings.list.push_back({.path = stored, .kind = FindingKind::kUnusedAudio, .subject = stored});
  }
}

}  // namespace dwelvane

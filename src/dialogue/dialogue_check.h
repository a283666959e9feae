#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "dialogue/string_table.h"

namespace dwelvane {

enum class FindingKind {
  kMissingAudio,
  kUnknownReference,
  kNoSentence,
  kAudioReused,
  kReferenceReused
};

// The names the findings carry, by kind.
inline constexpr std::string_view kFindingKindNames[] = {
    "missing-audio", "unknown-reference", "no-sentence", "audio-reused", "reference-reused"};

// Something about one talk line that would trouble a recording or translation round.
struct Finding {
  std::string path;  // the script, relative to the project folder, "/" between folders
  std::int64_t line = 0;
  FindingKind kind;
  std::string message;
};

// The files of a project, to tell whether an audio file a line names exists: a name is
// there when some file's path, relative to the project folder, ends in "/" and the name,
// "\" read as "/" and letters compared without ASCII case.
class ProjectFileIndex {
 public:
  void Add(std::string_view relative_path);
  bool Contains(std::string_view name) const;

 private:
  std::unordered_set<std::string> endings_;
};

// The script's path as findings name it, relative to `project_folder` (which ends with the
// path separator).
std::string RelativeScriptPath(const DialogueRecord& record, std::string_view project_folder);

// The findings of every line in table order, several kinds per line where they apply.
// Without `strings`, no reference is checked.
std::vector<Finding> CheckDialogue(const DialogueTable& table, std::string_view project_folder,
                                   const ProjectFileIndex& files, const StringTable* strings);

}  // namespace dwelvane

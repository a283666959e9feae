#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/broken_literal.h"
#include "dialogue/dialogue_record.h"
#include "dialogue/project_file_index.h"
#include "dialogue/string_table.h"
#include "runtime/text_arena.h"

namespace dwelvane {

enum class FindingKind {
  kMissingAudio,
  kUnknownReference,
  kNoSentence,
  kAudioReused,
  kReferenceReused,
  kBrokenLiteral,
  kChoiceNotVoiced,
  kUntranslated,
  kStaleTranslation,
  kOrphan,
  kFormatMismatch,
  kUnusedAudio,
};

inline constexpr std::size_t kFindingKindCount = 12;

// The name a finding carries in its line and in the summary; empty for a number that is no
// kind.
constexpr std::string_view FindingKindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::kMissingAudio:
      return "missing-audio";
    case FindingKind::kUnknownReference:
      return "unknown-reference";
    case FindingKind::kNoSentence:
      return "no-sentence";
    case FindingKind::kAudioReused:
      return "audio-reused";
    case FindingKind::kReferenceReused:
      return "reference-reused";
    case FindingKind::kBrokenLiteral:
      return "broken-literal";
    case FindingKind::kChoiceNotVoiced:
      return "choice-not-voiced";
    case FindingKind::kUntranslated:
      return "untranslated";
    case FindingKind::kStaleTranslation:
      return "stale-translation";
    case FindingKind::kOrphan:
      return "orphan";
    case FindingKind::kFormatMismatch:
      return "format-mismatch";
    case FindingKind::kUnusedAudio:
      return "unused-audio";
  }
  return {};
}

// The switch names every kind (a kind without a name does not compile warning-free); this
// holds the count to the kinds, so that tables by kind have a place for each.
static_assert(!FindingKindName(FindingKind{kFindingKindCount - 1}).empty() &&
              FindingKindName(FindingKind{kFindingKindCount}).empty());

// Something about one talk line that would trouble a recording or translation round. The
// texts are views into the checked table and into the Findings that hold this one.
struct Finding {
  // The script, relative to the project folder, "/" between folders; for unused-audio the
  // sound file.
  std::string_view path = {};
  std::int64_t line = 0;  // 0 for a finding about a whole file
  FindingKind kind = FindingKind::kMissingAudio;
  // The audio file, the ID or the choice the finding is about.
  std::string_view subject = {};
  // For the reuse kinds: the line that used the subject first. For missing-audio: the
  // folder the audio files were looked for in, when it is not the project.
  std::string_view earlier_path = {};
  std::int64_t earlier_line = 0;
};

struct Findings {
  std::vector<Finding> list;
  TextArena paths;  // the relative paths and the subjects the findings name
};

// "PATH:LINE: warning: MESSAGE [KIND]" and a line end, as compilers print their warnings.
void AppendFindingLine(std::string& out, const Finding& finding);

// The MESSAGE of the finding's line alone, for outputs that carry the place and kind apart.
void AppendFindingMessage(std::string& out, const Finding& finding);

// One sentence on what to do about a finding of the kind; empty for a number that is no kind.
std::string_view FindingKindHint(FindingKind kind);

// The script's path as findings name it, relative to `project_folder` (which ends with the
// path separator), in the system's code page where that holds it (AppendInSystemCodePage).
std::string RelativeScriptPath(const DialogueRecord& record, std::string_view project_folder);
std::string RelativeScriptPath(std::string_view full_path, std::string_view project_folder);

// The findings of every line in table order, several kinds per line where they apply, then
// those of the `broken` literals. Without `strings`, no reference is checked.
Findings CheckDialogue(const DialogueTable& table, std::string_view project_folder,
                       const ProjectFileIndex& files, const StringTable* strings,
                       const std::vector<BrokenLiteralAt>& broken = {});

}  // namespace dwelvane

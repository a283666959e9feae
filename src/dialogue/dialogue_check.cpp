#include "dialogue/dialogue_check.h"

#include <unordered_map>

#include "runtime/path_separator.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

// As Windows compares file names: ASCII case ignored, "\" and "/" alike.
std::string FoldFileName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    c = c == '\\' ? '/' : LowerAscii(c);
  }
  return folded;
}

std::string FoldId(std::string_view id) {
  std::string folded(id);
  for (char& c : folded) {
    c = LowerAscii(c);
  }
  return folded;
}

// Where a name or an ID was first used, and with which sentence.
struct FirstUse {
  std::string_view sentence;
  std::string place;  // "PATH:LINE"
};

class Checker {
 public:
  Checker(std::string_view project_folder, const ProjectFileIndex& files,
          const StringTable* strings)
      : project_folder_(project_folder), files_(files), strings_(strings) {}

  void Check(const DialogueRecord& record) {
    path_ = RelativeScriptPath(record, project_folder_);
    record_ = &record;
    const std::string_view audio = record.AudioFile;
    if (!audio.empty() && !files_.Contains(audio)) {
      Add(FindingKind::kMissingAudio,
          "audio file '" + std::string(audio) + "' is not in the project");
    }
    if (!record.Reference.empty() && strings_ != nullptr && !strings_->Has(record.Reference)) {
      Add(FindingKind::kUnknownReference,
          "the string table has no ID '" + std::string(record.Reference) + "'");
    }
    if (record.Sentence.empty() && record.Reference.empty()) {
      Add(FindingKind::kNoSentence, "no text to voice: the first argument is no text literal");
    }
    if (!audio.empty()) {
      NoteReuse(audio_uses_, FoldFileName(audio), FindingKind::kAudioReused,
                "audio file '" + std::string(audio) + "'");
    }
    if (!record.Reference.empty()) {
      NoteReuse(reference_uses_, FoldId(record.Reference), FindingKind::kReferenceReused,
                "ID '" + std::string(record.Reference) + "'");
    }
  }

  std::vector<Finding> Take() { return std::move(findings_); }

 private:
  void Add(FindingKind kind, std::string message) {
    findings_.push_back({path_, record_->ScriptLine, kind, std::move(message)});
  }

  void NoteReuse(std::unordered_map<std::string, FirstUse>& uses, std::string key, FindingKind kind,
                 const std::string& what) {
    const std::string place = path_ + ":" + NumberToText(record_->ScriptLine);
    const auto [first, added] =
        uses.try_emplace(std::move(key), FirstUse{record_->Sentence, place});
    if (!added && first->second.sentence != record_->Sentence) {
      Add(kind, what + " is used at " + first->second.place + " for another sentence");
    }
  }

  std::string_view project_folder_;
  const ProjectFileIndex& files_;
  const StringTable* strings_;
  std::unordered_map<std::string, FirstUse> audio_uses_;
  std::unordered_map<std::string, FirstUse> reference_uses_;
  std::vector<Finding> findings_;
  std::string path_;
  const DialogueRecord* record_ = nullptr;
};

}  // namespace

void ProjectFileIndex::Add(std::string_view relative_path) {
  const std::string folded = FoldFileName(relative_path);
  endings_.insert(folded);
  for (std::size_t slash = folded.find('/'); slash != std::string::npos;
       slash = folded.find('/', slash + 1)) {
    endings_.insert(folded.substr(slash + 1));
  }
}

bool ProjectFileIndex::Contains(std::string_view name) const {
  return endings_.contains(FoldFileName(name));
}

std::string RelativeScriptPath(const DialogueRecord& record, std::string_view project_folder) {
  std::string_view location = record.ScriptLocation;
  if (location.starts_with(project_folder)) {
    location.remove_prefix(project_folder.size());
  }
  std::string path(location);
  for (char& c : path) {
    c = c == kPathSeparator ? '/' : c;
  }
  return path.append(record.ScriptName);
}

std::vector<Finding> CheckDialogue(const DialogueTable& table, std::string_view project_folder,
                                   const ProjectFileIndex& files, const StringTable* strings) {
  Checker checker(project_folder, files, strings);
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    checker.Check(table.Record(i));
  }
  return checker.Take();
}

}  // namespace dwelvane

#include "dialogue/dialogue_check.h"

#include <memory_resource>
#include <unordered_map>

#include "runtime/keyed_hash.h"
#include "runtime/path_separator.h"
#include "runtime/text_conversion.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

// Where a name or an ID was first used, and with which sentence.
struct FirstUse {
  std::string_view sentence;
  std::string_view path;
  std::int64_t line = 0;
};

template <typename Hash, typename Equal>
using FirstUses = std::pmr::unordered_map<std::string_view, FirstUse, Hash, Equal>;

class Checker {
 public:
  Checker(std::string_view project_folder, const ProjectFileIndex& files,
          const StringTable* strings, std::size_t lines)
      : project_folder_(project_folder),
        files_(files),
        strings_(strings),
        audio_uses_(&nodes_),
        reference_uses_(&nodes_) {
    audio_uses_.reserve(lines);
    reference_uses_.reserve(lines);
  }

  void Check(const DialogueRecord& record) {
    NoteScript(record);
    record_ = &record;
    const std::string_view audio = record.AudioFile;
    if (!audio.empty() && !files_.Contains(audio)) {
      Add({.kind = FindingKind::kMissingAudio, .subject = audio});
    }
    if (!record.Reference.empty() && strings_ != nullptr && !strings_->Has(record.Reference)) {
      Add({.kind = FindingKind::kUnknownReference, .subject = record.Reference});
    }
    if (record.Sentence.empty() && record.Reference.empty()) {
      Add({.kind = FindingKind::kNoSentence});
    }
    if (record.Kind == LineKind::kChoice && record.Speaker.empty()) {
      Add({.kind = FindingKind::kChoiceNotVoiced, .subject = record.Sentence});
    }
    if (!audio.empty()) {
      NoteReuse(audio_uses_, audio, FindingKind::kAudioReused);
    }
    if (!record.Reference.empty()) {
      NoteReuse(reference_uses_, record.Reference, FindingKind::kReferenceReused);
    }
  }

  void CheckBrokenLiteral(const BrokenLiteralAt& broken) {
    findings_.list.push_back(
        {.path = findings_.paths.Store(RelativeScriptPath(broken.path, project_folder_)),
         .line = broken.line,
         .kind = FindingKind::kBrokenLiteral,
         .subject = broken.too_long ? "long" : ""});
  }

  Findings Take() { return std::move(findings_); }

 private:
  // Records of one script come one after another: its path is made once.
  void NoteScript(const DialogueRecord& record) {
    if (record.ScriptName != script_name_ || record.ScriptLocation != script_location_) {
      script_name_ = record.ScriptName;
      script_location_ = record.ScriptLocation;
      path_ = findings_.paths.Store(RelativeScriptPath(record, project_folder_));
    }
  }

  void Add(Finding finding) {
    finding.path = path_;
    finding.line = record_->ScriptLine;
    findings_.list.push_back(finding);
  }

  template <typename Uses>
  void NoteReuse(Uses& uses, std::string_view key, FindingKind kind) {
    const auto [first, added] =
        uses.try_emplace(key, FirstUse{record_->Sentence, path_, record_->ScriptLine});
    const FirstUse& use = first->second;
    if (!added && use.sentence != record_->Sentence) {
      Add({.kind = kind, .subject = key, .earlier_path = use.path, .earlier_line = use.line});
    }
  }

  std::string_view project_folder_;
  const ProjectFileIndex& files_;
  const StringTable* strings_;
  // The maps' nodes come from one growing block and go all at once with the checker.
  std::pmr::monotonic_buffer_resource nodes_;
  FirstUses<FileNameHash, FileNameEqual> audio_uses_;
  FirstUses<AsciiCaseHash, AsciiCaseEqual> reference_uses_;
  Findings findings_;
  std::string_view script_name_;
  std::string_view script_location_;
  std::string_view path_;
  const DialogueRecord* record_ = nullptr;
};

}  // namespace

// Scripts name files in their own bytes, those of the system's code page where they were
// written on Windows; the index holds the names in that code page too.
void AppendFindingLine(std::string& out, const Finding& finding) {
  out.append(finding.path);
  if (finding.line > 0) {
    AppendNumberText(out.append(":"), finding.line);
  }
  out.append(": warning: ");
  AppendFindingMessage(out, finding);
  out.append(" [").append(FindingKindName(finding.kind)).append("]\n");
}

void AppendFindingMessage(std::string& out, const Finding& finding) {
  const std::string_view subject = finding.subject;
  switch (finding.kind) {
    case FindingKind::kMissingAudio:
      out.append("audio file '").append(subject).append("' is not in ");
      if (finding.earlier_path.empty()) {
        out.append("the project");
      } else {
        out.append("'").append(finding.earlier_path).append("'");
      }
      break;
    case FindingKind::kUnknownReference:
      out.append("the string table has no ID '").append(subject).append("'");
      break;
    case FindingKind::kNoSentence:
      out.append("no text to voice: the first argument is no text literal");
      break;
    case FindingKind::kBrokenLiteral:
      out.append(subject.empty() ? "a text literal runs to the line end without its closing quote"
                                 : "a text literal is longer than the engine takes (4096 bytes)");
      break;
    case FindingKind::kChoiceNotVoiced:
      out.append("choice '").append(subject).append("' is said by no talk call in its script");
      break;
    case FindingKind::kUntranslated:
      out.append("ID '").append(subject).append("' is not translated for the language");
      break;
    case FindingKind::kStaleTranslation:
      out.append("the text of ID '")
          .append(subject)
          .append("' changed since it was translated: the PO file's source is another");
      break;
    case FindingKind::kOrphan:
      out.append("no line says the language table's ID '").append(subject).append("'");
      break;
    case FindingKind::kFormatMismatch:
      out.append("the translation of ID '")
          .append(subject)
          .append("' does not keep the %s, %d, | and ~n of its source");
      break;
    case FindingKind::kUnusedAudio:
      out.append("no line names this audio file");
      break;
    case FindingKind::kAudioReused:
    case FindingKind::kReferenceReused:
      out.append(finding.kind == FindingKind::kAudioReused ? "audio file '" : "ID '")
          .append(subject)
          .append("' is used at ")
          .append(finding.earlier_path)
          .append(":");
      AppendNumberText(out, finding.earlier_line);
      out.append(" for another sentence");
      break;
  }
}

std::string_view FindingKindHint(FindingKind kind) {
  switch (kind) {
    case FindingKind::kMissingAudio:
      return "record the file, or correct the name the talk call gives, as a path below the "
             "project folder";
    case FindingKind::kUnknownReference:
      return "add the ID to the string table, or correct the ID at the start of the text";
    case FindingKind::kNoSentence:
      return "the text is not a literal: if it is Game.LastResponse, the choices are listed by "
             "dialogue --syntax engine; give the call a text literal to voice it";
    case FindingKind::kAudioReused:
      return "give each sentence its own audio file, or make both lines say the same sentence";
    case FindingKind::kReferenceReused:
      return "give each sentence its own ID, or make both lines say the same sentence";
    case FindingKind::kBrokenLiteral:
      return "close the text literal on its line, or split a text longer than 4096 bytes";
    case FindingKind::kChoiceNotVoiced:
      return "add a talk call that says the choice, if the choice should be heard";
    case FindingKind::kUntranslated:
      return "translate the ID in the language's PO file and import it again";
    case FindingKind::kStaleTranslation:
      return "export again with --update, then review the translation against the new text";
    case FindingKind::kOrphan:
      return "remove the ID from the language table, or restore the line that said it";
    case FindingKind::kFormatMismatch:
      return "make the translation keep every %s, %d, | and ~n of its source";
    case FindingKind::kUnusedAudio:
      return "remove the file, or name it in the talk call of the line it was recorded for";
  }
  return {};
}

std::string RelativeScriptPath(const DialogueRecord& record, std::string_view project_folder) {
  std::string path(record.ScriptLocation);
  path.append(record.ScriptName);
  return RelativeScriptPath(path, project_folder);
}

std::string RelativeScriptPath(std::string_view full_path, std::string_view project_folder) {
  if (full_path.starts_with(project_folder)) {
    full_path.remove_prefix(project_folder.size());
  }
  std::string path(full_path);
  for (char& c : path) {
    c = c == kPathSeparator ? '/' : c;
  }
  std::string in_code_page;
  return AppendInSystemCodePage(in_code_page, path) ? in_code_page : path;
}

Findings CheckDialogue(const DialogueTable& table, std::string_view project_folder,
                       const ProjectFileIndex& files, const StringTable* strings,
                       const std::vector<BrokenLiteralAt>& broken) {
  Checker checker(project_folder, files, strings, table.DialogueCount);
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    checker.Check(table.Record(i));
  }
  for (const BrokenLiteralAt& at : broken) {
    checker.CheckBrokenLiteral(at);
  }
  return checker.Take();
}

}  // namespace dwelvane

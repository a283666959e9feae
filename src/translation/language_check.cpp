#include "translation/language_check.h"

#include <array>
#include <unordered_map>
#include <unordered_set>

#include "runtime/text_operations.h"
#include "translation/said_ids.h"
#include "translation/script_records.h"
#include "translation/table_text.h"

namespace dwelvane {
namespace {

constexpr std::string_view kFormatMarks[] = {"%s", "%d", "|", "~n"};

std::array<std::size_t, std::size(kFormatMarks)> CountFormatMarks(std::string_view text) {
  std::array<std::size_t, std::size(kFormatMarks)> counts{};
  for (std::size_t i = 0; i < counts.size(); ++i) {
    for (std::size_t at = text.find(kFormatMarks[i]); at != std::string_view::npos;
         at = text.find(kFormatMarks[i], at + kFormatMarks[i].size())) {
      ++counts[i];
    }
  }
  return counts;
}

class LanguageChecker {
 public:
  LanguageChecker(const LanguageCheckInput& input, Findings& findings)
      : input_(input), findings_(findings) {}

  void Check() {
    const SaidIds said = CollectSaidIds(
        input_.records, GroupByScriptInNameOrder(input_.records, input_.project_folder));
    if (input_.translated != nullptr) {
      IndexTranslatedMessages();
    }
    std::unordered_set<std::string_view, AsciiCaseHash, AsciiCaseEqual> said_ids;
    for (const SaidId& id : said.ids) {
      said_ids.insert(id.id);
      CheckTranslation(id);
    }
    CheckOrphans(said_ids);
  }

 private:
  // The language table holds every entry once a PO file is imported, the untranslated
  // ones with the base text: with the PO file, its messages tell which are translated.
  void CheckTranslation(const SaidId& said) {
    const auto translation = input_.language.file.Find(said.id);
    const auto message = translated_.find(said.id);
    if (!translation || (input_.translated != nullptr && message == translated_.end())) {
      Add(said, FindingKind::kUntranslated);
      return;
    }
    const auto source = input_.base.file.Find(said.id);
    if (message != translated_.end() && source &&
        TableTextInUtf8(*source, input_.base.encoding) != message->second->id) {
      Add(said, FindingKind::kStaleTranslation);
    }
    const std::string_view source_text =
        source ? *source : input_.records.Record(said.first).Sentence;
    if (CountFormatMarks(source_text) != CountFormatMarks(*translation)) {
      Add(said, FindingKind::kFormatMismatch);
    }
  }

  void IndexTranslatedMessages() {
    for (const PoMessage& message : input_.translated->messages) {
      if (message.context && !message.obsolete && !message.Fuzzy() && !message.strings.empty() &&
          !message.strings.front().empty()) {
        translated_[*message.context] = &message;
      }
    }
  }

  template <typename IdSet>
  void CheckOrphans(const IdSet& said_ids) {
    const std::string path = NameInProject(input_.language.path, input_.project_folder);
    const std::vector<TableLine>& lines = input_.language.file.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (!lines[i].id.empty() && !said_ids.contains(lines[i].id)) {
        findings_.list.push_back({.path = findings_.paths.Store(path),
                                  .line = static_cast<std::int64_t>(i + 1),
                                  .kind = FindingKind::kOrphan,
                                  .subject = findings_.paths.Store(lines[i].id)});
      }
    }
  }

  void Add(const SaidId& said, FindingKind kind) {
    const DialogueRecord& record = input_.records.Record(said.first);
    findings_.list.push_back(
        {.path = findings_.paths.Store(RelativeScriptPath(record, input_.project_folder)),
         .line = record.ScriptLine,
         .kind = kind,
         .subject = findings_.paths.Store(said.id)});
  }

  const LanguageCheckInput& input_;
  Findings& findings_;
  // The PO file's translated messages by their ID.
  std::unordered_map<std::string_view, const PoMessage*, AsciiCaseHash, AsciiCaseEqual> translated_;
};

}  // namespace

void CheckLanguage(const LanguageCheckInput& input, Findings& findings) {
  LanguageChecker(input, findings).Check();
}

}  // namespace dwelvane

#include "translation/translation_entries.h"

#include "runtime/text_encoding.h"
#include "translation/said_ids.h"
#include "translation/table_text.h"

namespace dwelvane {
namespace {

class EntryMaker {
 public:
  EntryMaker(const DialogueTable& records, const std::vector<ScriptRecords>& scripts,
             const TranslationTables& tables)
      : records_(records), scripts_(scripts), tables_(tables), script_of_(records.DialogueCount) {
    for (std::size_t s = 0; s < scripts.size(); ++s) {
      for (std::size_t i = scripts[s].first; i < scripts[s].first + scripts[s].count; ++i) {
        script_of_[i] = s;
      }
    }
  }

  void Fill(TranslationEntry& entry, const SaidIds& said_ids, const SaidId& said) {
    const DialogueRecord& first = records_.Record(said.first);
    entry.id.assign(said.id);
    AppendCharacter(entry.character, first);
    AppendText(entry.source, first);
    entry.translation.clear();
    if (tables_.language != nullptr) {
      if (const auto text = tables_.language->Find(said.id)) {
        AppendTableTextInUtf8(entry.translation, *text, tables_.language_encoding);
      }
    }
    // Import fills the language table's untranslated entries with the base text, which is
    // no translation to show a translator.
    if (entry.translation == entry.source) {
      entry.translation.clear();
    }
    entry.places.clear();
    said_ids.ForEachLine(said, [&](std::size_t line) {
      entry.places.append(entry.places.empty() ? "" : " ")
          .append(scripts_[script_of_[line]].name)
          .append(":")
          .append(std::to_string(records_.Record(line).ScriptLine));
    });
    entry.first_file = scripts_[script_of_[said.first]].name;
    entry.first_line = std::to_string(first.ScriptLine);
    entry.audio.clear();
    AppendAsUtf8(entry.audio, first.AudioFile, first.ScriptEncoding);
    FillBefore(entry.before, said);
  }

 private:
  // A line before without a text of its own (a variable's) tells a translator nothing.
  void FillBefore(std::string& before, const SaidId& said) {
    before.clear();
    if (said.before == SaidIds::kNoRecord) {
      return;
    }
    const DialogueRecord& record = records_.Record(said.before);
    AppendText(scratch_, record);
    if (!scratch_.empty()) {
      AppendCharacter(before, record);
      before.append(": ").append(scratch_);
    }
  }

  void AppendCharacter(std::string& out, const DialogueRecord& record) const {
    out.clear();
    AppendAsUtf8(out, record.Character.empty() ? record.Speaker : record.Character,
                 record.ScriptEncoding);
  }

  // What the player reads: the base table's entry, else the script's own text.
  void AppendText(std::string& out, const DialogueRecord& record) const {
    out.clear();
    if (!record.Reference.empty()) {
      if (const auto text = tables_.base.Find(record.Reference)) {
        AppendTableTextInUtf8(out, *text, tables_.base_encoding);
        return;
      }
    }
    AppendAsUtf8(out, record.Sentence, record.ScriptEncoding);
  }

  const DialogueTable& records_;
  const std::vector<ScriptRecords>& scripts_;
  const TranslationTables& tables_;
  std::vector<std::size_t> script_of_;
  std::string scratch_;
};

}  // namespace

void ForEachTranslationEntry(const DialogueTable& records,
                             const std::vector<ScriptRecords>& scripts,
                             const TranslationTables& tables,
                             const std::function<void(const TranslationEntry&)>& take) {
  EntryMaker maker(records, scripts, tables);
  const SaidIds said = CollectSaidIds(records, scripts);
  TranslationEntry entry;
  for (const SaidId& id : said.ids) {
    maker.Fill(entry, said, id);
    take(entry);
  }
}

}  // namespace dwelvane

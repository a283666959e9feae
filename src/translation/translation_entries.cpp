#include "translation/translation_entries.h"

#include "runtime/text_encoding.h"
#include "translation/said_ids.h"
#include "translation/table_text.h"

namespace dwelvane {
namespace {

class EntryMaker {
 public:
  EntryMaker(const DialogueTable& records, const TranslationTables& tables)
      : records_(records), tables_(tables) {}

  TranslationEntry Make(const SaidId& said, const std::vector<ScriptRecords>& scripts,
                        const std::vector<std::size_t>& script_of) const {
    const DialogueRecord& first = records_.Record(said.lines.front());
    TranslationEntry entry;
    entry.id = std::string(said.id);
    entry.character = CharacterOf(first);
    entry.source = TextOf(first);
    if (tables_.language != nullptr) {
      if (const auto text = tables_.language->Find(said.id)) {
        entry.translation = TableTextInUtf8(*text, tables_.language_encoding);
      }
    }
    for (const std::size_t line : said.lines) {
      entry.places.push_back(scripts[script_of[line]].name + ":" +
                             std::to_string(records_.Record(line).ScriptLine));
    }
    AppendAsUtf8(entry.audio, first.AudioFile, first.ScriptEncoding);
    // A line before without a text of its own (a variable's) tells a translator nothing.
    if (said.before != SaidId::kNoRecord) {
      const DialogueRecord& before = records_.Record(said.before);
      if (const std::string text = TextOf(before); !text.empty()) {
        entry.before = CharacterOf(before) + ": " + text;
      }
    }
    return entry;
  }

 private:
  std::string CharacterOf(const DialogueRecord& record) const {
    std::string character;
    AppendAsUtf8(character, record.Character.empty() ? record.Speaker : record.Character,
                 record.ScriptEncoding);
    return character;
  }

  // What the player reads: the base table's entry, else the script's own text.
  std::string TextOf(const DialogueRecord& record) const {
    if (!record.Reference.empty()) {
      if (const auto text = tables_.base.Find(record.Reference)) {
        return TableTextInUtf8(*text, tables_.base_encoding);
      }
    }
    std::string text;
    AppendAsUtf8(text, record.Sentence, record.ScriptEncoding);
    return text;
  }

  const DialogueTable& records_;
  const TranslationTables& tables_;
};

}  // namespace

std::vector<TranslationEntry> CollectTranslationEntries(const DialogueTable& records,
                                                        const std::vector<ScriptRecords>& scripts,
                                                        const TranslationTables& tables) {
  std::vector<std::size_t> script_of(records.DialogueCount);
  for (std::size_t s = 0; s < scripts.size(); ++s) {
    for (std::size_t i = scripts[s].first; i < scripts[s].first + scripts[s].count; ++i) {
      script_of[i] = s;
    }
  }
  const EntryMaker maker(records, tables);
  std::vector<TranslationEntry> entries;
  for (const SaidId& said : CollectSaidIds(records, scripts)) {
    entries.push_back(maker.Make(said, scripts, script_of));
  }
  return entries;
}

}  // namespace dwelvane

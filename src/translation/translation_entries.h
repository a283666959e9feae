#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "runtime/code_page.h"
#include "translation/script_records.h"
#include "translation/string_table_file.h"

namespace dwelvane {

// One ID for translators, its texts in UTF-8 with "\n" for each line break.
struct TranslationEntry {
  std::string id;
  std::string character;
  std::string source;       // the base table's text, else the script's own
  std::string translation;  // the language table's text; empty when it has none
  std::string places;       // "NAME:LINE" of each line that says it, one blank between
  std::string first_file;   // the name and line of the first of them
  std::string first_line;
  std::string audio;
  std::string before;  // "CHARACTER: TEXT" of the line said just before it in its script
};

struct TranslationTables {
  const StringTableFile& base;
  TableEncoding base_encoding;
  const StringTableFile* language = nullptr;  // none yet
  TableEncoding language_encoding = TableEncoding::kWindows1252;
};

// Hands `take` the entry of each ID the records say, in the order of `scripts` and their
// lines; one entry is filled anew for each, so that a hundred thousand IDs cost no
// allocation each.
void ForEachTranslationEntry(const DialogueTable& records,
                             const std::vector<ScriptRecords>& scripts,
                             const TranslationTables& tables,
                             const std::function<void(const TranslationEntry&)>& take);

}  // namespace dwelvane

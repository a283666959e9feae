#pragma once

#include <string>

#include "dialogue/dialogue_check.h"
#include "dialogue/dialogue_record.h"
#include "translation/loaded_tables.h"
#include "translation/po_file.h"

namespace dwelvane {

struct LanguageCheckInput {
  const DialogueTable& records;
  const std::string& project_folder;
  const LoadedTable& base;
  const LoadedTable& language;
  const PoCatalog* translated = nullptr;  // the translators' PO file, for stale translations
};

// Appends the findings of one language: IDs said without an entry in its table
// (untranslated), translations whose base text changed since the PO file's source
// (stale-translation), entries of its table no line says (orphan), and translations that
// drop or add the source's %s, %d, | or ~n (format-mismatch).
void CheckLanguage(const LanguageCheckInput& input, Findings& findings);

}  // namespace dwelvane

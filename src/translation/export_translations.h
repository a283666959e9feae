#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "runtime/code_page.h"
#include "runtime/command_feedback.h"
#include "runtime/command_outcome.h"
#include "runtime/folder_walk.h"
#include "runtime/output_target.h"
#include "script/character_aliases.h"
#include "translation/po_file.h"

namespace dwelvane {

enum class TranslationFormat { kPo, kCsv };

struct ExportOptions {
  std::string project_folder;
  std::string language;
  TranslationFormat format = TranslationFormat::kPo;
  OutputTarget output;
  std::string update_path;  // a translator's PO file to merge into; empty: none
  std::string table_path;   // the language's table; empty: the project's (FindLanguageTable)
  TableEncoding code_page = TableEncoding::kWindows1252;  // of tables without a byte order mark
  bool include_inc = false;
  WalkRules walk;
  std::vector<CharacterAlias> aliases;
};

struct ExportReport {
  std::size_t entries = 0;
  std::size_t translated = 0;
  std::string base_table;
  std::string language_table;
  IoError unreadable;        // a table or the file to update that can't be read
  PoReadError update_error;  // the file to update is no PO file: its first fault
  bool update_is_no_po = false;
};

// The IDs the scripts say (engine syntax), for translators into `language`: each with the
// base table's text, the language table's, and what a translator needs to know of it.
CommandOutcome ExportTranslations(const ExportOptions& options, DialogueTable& records,
                                  Progress& progress, const CommandFeedback& feedback,
                                  ExportReport& report);

}  // namespace dwelvane

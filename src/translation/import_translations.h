#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/code_page.h"
#include "runtime/io_error.h"

namespace dwelvane {

struct ImportOptions {
  std::string project_folder;
  std::string language;
  std::string input_path;  // the translators' PO or CSV file
  std::string table_path;  // the language's table; empty: the project's (FindLanguageTable)
  std::optional<TableEncoding> encoding;  // of the table written; else kept, else the base's
  TableEncoding code_page = TableEncoding::kWindows1252;  // of tables without a byte order mark
  bool skip_bad = false;
};

enum class BadTranslationReason { kNotInCodePage, kHoldsBarOrTab, kUnknownId };

struct BadTranslation {
  std::int64_t line = 0;
  std::string id;
  BadTranslationReason reason = BadTranslationReason::kUnknownId;
};

struct ImportReport {
  std::string language_table;
  TableEncoding encoding = TableEncoding::kWindows1252;
  std::size_t imported = 0;      // entries with a translation from the file
  std::size_t kept = 0;          // entries keeping the language table's translation
  std::size_t untranslated = 0;  // entries with the base table's text
  std::vector<BadTranslation> bad;
  std::string input_error;  // the file is no translators' file
  std::int64_t input_error_line = 0;
  IoError failure;  // a file that couldn't be read or written
  bool written = false;
};

// Writes the language's table from a translators' file: the base table's lines in order
// (comments kept), each entry with its translation from the file, else the language
// table's own, else the base text; the language table's entries for IDs the base lacks
// after them; CR LF line ends. A bad translation stops the import with nothing written,
// unless `skip_bad`. The table is replaced whole.
ImportReport ImportTranslations(const ImportOptions& options);

}  // namespace dwelvane

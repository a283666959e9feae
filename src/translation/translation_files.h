#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "translation/po_file.h"
#include "translation/translation_entries.h"

namespace dwelvane {

// The header row of the translators' CSV file, and the cells of each of its rows.
inline constexpr std::string_view kTranslationCsvHeader =
    "id,character,source,translation,context,file,line,audio";

// A PO file for translators of `language`: msgctxt the ID, msgid the source, msgstr the
// translation; the character, the audio file and the line before as comments for
// translators ("#."), each line's place as a reference ("#:").
PoCatalog MakeTranslationCatalog(const std::vector<TranslationEntry>& entries,
                                 std::string_view project_name, std::string_view language);

// The same as CSV in UTF-8 with a byte order mark: the header row, then a row per ID with
// its first line's place, each cell quoted, lines ending in CR LF. A cell a spreadsheet
// would take for a formula, or one starting with "'", gets a "'" before it, which
// ReadCsvCell takes off again.
std::string MakeTranslationCsv(const std::vector<TranslationEntry>& entries);

}  // namespace dwelvane

#pragma once

#include <string>
#include <string_view>

#include "translation/po_file.h"
#include "translation/translation_entries.h"

namespace dwelvane {

// The header row of the translators' CSV file.
inline constexpr std::string_view kTranslationCsvHeader =
    "id,character,source,translation,context,file,line,audio";

// The header of a PO file for translators of `language`.
PoMessage MakeTranslationHeader(std::string_view project_name, std::string_view language);

// An entry as a PO message: msgctxt the ID, msgid the source, msgstr the translation; the
// character, the audio file and the line before as comments for translators ("#."), the
// lines' places as a reference ("#:"). `message` is filled anew.
void FillTranslationMessage(PoMessage& message, const TranslationEntry& entry);

// The CSV file is UTF-8 with a byte order mark: the header row, then a row per entry with
// its first line's place, each cell quoted, lines ending in CR LF. A cell a spreadsheet
// would take for a formula, or one starting with "'", gets a "'" before it, which
// ReadCsvRows takes off again.
void AppendTranslationCsvStart(std::string& out);
void AppendTranslationCsvRow(std::string& out, const TranslationEntry& entry);

}  // namespace dwelvane

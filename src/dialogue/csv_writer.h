#pragma once

#include <string>
#include <string_view>

#include "dialogue/dialogue_record.h"
#include "runtime/line_writer.h"
#include "runtime/text_encoding.h"

namespace dwelvane {

// The ticked check boxes of the dialogue tab.
struct DialogueColumns {
  bool script_location = true;
  bool script_name = true;
  bool script_line = true;
  bool speaker = true;
  bool reference = true;
  bool translation = false;  // written only together with the reference
  bool sentence = true;
  bool audio_file = true;
  bool character = false;  // the command line's own: who says the line
  bool kind = false;       // the command line's own: talk, async or choice

  // The translation is written, and so looked up, only with its reference.
  bool WritesTranslation() const { return reference && translation; }
};

// The columns in the order they are written, with the keyword that names each on the
// command line and in the header line.
struct DialogueColumn {
  std::string_view keyword;
  bool DialogueColumns::*tick;
};
inline constexpr DialogueColumn kDialogueColumns[] = {
    {"location", &DialogueColumns::script_location}, {"name", &DialogueColumns::script_name},
    {"line", &DialogueColumns::script_line},         {"speaker", &DialogueColumns::speaker},
    {"sentence", &DialogueColumns::sentence},        {"audio", &DialogueColumns::audio_file},
    {"reference", &DialogueColumns::reference},      {"translate", &DialogueColumns::translation},
    {"character", &DialogueColumns::character},      {"kind", &DialogueColumns::kind},
};
// The window offers the columns before these.
inline constexpr std::size_t kCommandLineOnlyColumns = 2;

// How the table is written beyond its columns. The defaults write what the window writes.
struct CsvLayout {
  DialogueColumns columns;
  std::string separator = ";";
  OutputEncoding encoding = OutputEncoding::kBytes;
  bool header = false;  // a first line with the keywords of the written columns
  // When not empty: the locations relative to this folder (which ends with the path
  // separator), with "/" between folders.
  std::string relative_to = {};
  // Cells that a spreadsheet would take for a formula get a leading "'" (AppendFormulaSafeCell).
  bool safe_cells = false;
};

// The separator a stored, typed or given text stands for: each "\t" is a tab, which is hard
// to type in a field or on a command line; a backslash followed by a t is never meant.
std::string SeparatorFromText(std::string text);

// True when a spreadsheet opening the file would read a cell beginning with `first` as a
// formula (or, for a tab or CR, may strip it and then do so): "=", "+", "-", "@", tab, CR.
constexpr bool StartsFormula(char first) {
  return first == '=' || first == '+' || first == '-' || first == '@' || first == '\t' ||
         first == '\r';
}

// The text of a cell that starts a formula, with the "'" before it that makes every
// spreadsheet show it as text; any other cell as it is.
void AppendFormulaSafeCell(std::string& out, std::string_view cell);

// One line per record: the ticked fields in the order of kDialogueColumns, each in double
// quotes with inner double quotes doubled, joined by the separator, ending in CR LF. In
// UTF-8, each field is converted from the encoding of its own source; as bytes, the file
// and folder names are in the system's code page (AppendInSystemCodePage).
struct CsvWritten {
  // The first name that code page could not hold, written in UTF-8; empty when none.
  std::string first_name_in_utf8;
  // The cells written that start a formula (none with safe_cells).
  std::size_t formula_cells = 0;
};
CsvWritten WriteDialogueCsv(const DialogueTable& table, const CsvLayout& layout,
                            LineWriter& writer);

}  // namespace dwelvane

#pragma once

#include <string>
#include <string_view>

#include "runtime/code_page.h"
#include "runtime/text_encoding.h"
#include "translation/string_table_file.h"

namespace dwelvane {

// Appends a script's text (its escapes decoded, from a script in `source`) as a table entry
// holds it: a line break as "|", in UTF-8 for a table with a byte order mark, else in
// Windows-1252. False, with `out` as it was, when Windows-1252 can't hold a character of it.
[[nodiscard]] bool AppendTableText(std::string& out, std::string_view text, SourceEncoding source,
                                   bool table_in_utf8);

// The encoding of a table's texts: UTF-8 when it starts with a byte order mark, else the
// game's code page, which the file doesn't tell.
TableEncoding EncodingOfTable(const StringTableFile& table, TableEncoding code_page);

// A table's text in UTF-8, each "|" a line break ("\n").
std::string TableTextInUtf8(std::string_view text, TableEncoding encoding);
void AppendTableTextInUtf8(std::string& out, std::string_view text, TableEncoding encoding);

// Appends a UTF-8 text as a table in `encoding` holds it, each line break ("\n") a "|".
// False, with `out` as it was, when the code page can't hold a character of it.
[[nodiscard]] bool AppendUtf8AsTableText(std::string& out, std::string_view utf8,
                                         TableEncoding encoding);

}  // namespace dwelvane

#pragma once

#include <string>
#include <string_view>

namespace dwelvane {

// Appends the decoded texts of the quoted strings in `text` (one or more, blanks between
// them and after the last). The failure's description, or nullptr. `high_byte` is set when
// an octal or hex escape made a byte of 0x80 or more, which may not be UTF-8.
const char* AppendPoStrings(std::string_view text, std::string& out, bool& high_byte);

// Appends `text` escaped for the inside of a PO string.
void AppendPoEscaped(std::string& out, std::string_view text);

}  // namespace dwelvane

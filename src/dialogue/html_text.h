#pragma once

#include <string>
#include <string_view>

namespace dwelvane {

// Appends UTF-8 text as HTML shows it as text: "&", "<", ">" and '"' escaped, each control
// character as the picture that stands for it (U+2400 on), which HTML allows where the
// character itself is an error; a line break as "<br>" when `breaks` is set.
void AppendHtmlText(std::string& out, std::string_view utf8, bool breaks = false);

}  // namespace dwelvane

#pragma once

#include <string>
#include <string_view>

namespace dwelvane {

// `text` as a JSON string, quotes included: the quote, the backslash and the control
// characters escaped, and every byte that is not part of valid UTF-8 written as U+FFFD, so
// that the output is valid UTF-8 whatever the input.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace dwelvane

#pragma once

#include <string>

namespace dwelvane {

// Appends the UTF-8 bytes of the character `code` (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t code);

}  // namespace dwelvane

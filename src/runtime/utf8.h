#pragma once

#include <string>

namespace dwelvane {

// Appends the UTF-8 bytes of the character `code` (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t code);

// What a lead byte of UTF-8 says: how many continuation bytes follow (0 for ASCII, -1 for
// a byte no sequence starts with) and the range the first of them must lie in, which rules
// out overlong forms, surrogates and code points past U+10FFFF.
struct Utf8Lead {
  int continuations = -1;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
};
Utf8Lead ReadUtf8Lead(unsigned char byte);

}  // namespace dwelvane

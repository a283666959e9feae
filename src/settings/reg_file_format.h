#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

struct RegFileValue {
  std::string name;  // empty for the key's default value, written "@"
  std::uint32_t type = 0;
  std::string data;  // the bytes as the registry keeps them
};

struct RegFileKey {
  std::string path;  // as written between the brackets: "HKEY_CURRENT_USER\Software\..."
  std::vector<RegFileValue> values;
};

// The bytes of a .reg file as text for ParseRegFile: a UTF-16LE file (byte order mark
// FF FE, the form Windows' registry editor exports) decoded to UTF-8, a UTF-8 byte order
// mark dropped, anything else as it is.
std::string DecodeRegFileBytes(std::string_view bytes);

// True for the UTF-16LE form (byte order mark FF FE).
bool IsUtf16RegFile(std::string_view bytes);

// True when `text` starts with the header line of either form ("REGEDIT4", "Windows
// Registry Editor Version 5.00"), or is empty.
bool IsRegFileText(std::string_view text);

// The REGEDIT4 text format: a header line, then sections "[KEY]" with lines
// "name"="text" ("\\" and "\"" escaped), "name"=dword:0000002a, or "name"=hex(N):..
// byte lists for every other type. Lines that can't be read are skipped, so a damaged
// file loses only what is damaged.
std::vector<RegFileKey> ParseRegFile(std::string_view text);

// Writes the keys back; values of any type keep their bytes, texts that the string form
// can't hold (line ends, zero bytes inside) are written as byte lists.
std::string FormatRegFile(const std::vector<RegFileKey>& keys);

}  // namespace dwelvane

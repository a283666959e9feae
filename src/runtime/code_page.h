#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The encodings a string table's bytes may be in: UTF-8 after a byte order mark, or the
// game's ANSI code page.
namespace dwelvane {

enum class TableEncoding : std::uint8_t { kUtf8WithBom, kWindows1250, kWindows1251, kWindows1252 };

// The keyword for the command line: "utf-8-bom", "windows-1250", "windows-1251",
// "windows-1252".
std::string_view TableEncodingName(TableEncoding encoding);
std::optional<TableEncoding> TableEncodingNamed(std::string_view name);

// The Windows code page number (1250, ...); 65001 for UTF-8.
unsigned CodePageNumber(TableEncoding encoding);

// True for the bytes the code page assigns no character to; Windows reads each as the C1
// control of its own number, and so does AppendToUtf8.
bool LeavesUnassigned(TableEncoding encoding, unsigned char byte);

// Appends UTF-8 `utf8` in `encoding` (as it is for kUtf8WithBom). False, nothing appended,
// when the code page can't hold a character of it or `utf8` is not valid UTF-8.
[[nodiscard]] bool AppendFromUtf8(std::string& out, std::string_view utf8, TableEncoding encoding);

// Appends `bytes` of `encoding` as UTF-8 (for kUtf8WithBom as they are). Bytes the code
// page leaves unassigned become their C1 control characters, never dropped.
void AppendToUtf8(std::string& out, std::string_view bytes, TableEncoding encoding);

}  // namespace dwelvane

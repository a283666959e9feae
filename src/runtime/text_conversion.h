#pragma once

#include <string>
#include <string_view>

// The program keeps every text, names and paths included, in UTF-8. This is where it
// meets the system's other encodings: UTF-16 for the wide Windows calls and the window's
// controls, the ANSI code page for the outputs that have always held names in it.
namespace dwelvane {

// `text` in UTF-16. A byte that is no part of a valid UTF-8 sequence (overlong, a
// surrogate, cut off) stands for its Windows-1252 character: such bytes come from sources
// written on Windows, never from the system's own names.
std::u16string Utf8ToUtf16(std::string_view text);

// `text` in UTF-8; a surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Appends `name` as a program of the system's code page writes it: on Windows in the ANSI
// code page, elsewhere as it is (names are bytes there). False, and nothing appended, when
// the code page can't hold every character of it.
[[nodiscard]] bool AppendInSystemCodePage(std::string& out, std::string_view name);

#ifdef _WIN32
std::wstring ToWide(std::string_view text);
std::string FromWide(std::wstring_view text);

// As AppendInSystemCodePage, for the Windows code page `code_page`.
[[nodiscard]] bool AppendInCodePage(std::string& out, std::string_view text, unsigned code_page);

// `path` for the wide file calls. A path too long for the classic limit is made full
// (against the current folder, "/" as "\", "." and ".." resolved) and given the "\\?\"
// form ("\\?\UNC\" for "\\server\share"), which lifts the limit; a shorter one goes as
// it is, so that the system treats it as it always has.
std::wstring ToWidePath(std::string_view path);
#endif

}  // namespace dwelvane

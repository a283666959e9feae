#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace dwelvane {

// The program's text as a person should read it, decoded as the Win32 window decodes it
// (Utf8ToUtf16): UTF-8, and a byte that is no part of a valid sequence as its
// Windows-1252 character (a file name that came from a Windows disk).
QString BytesToQString(std::string_view bytes);

// What a person typed, as the bytes the file system takes: UTF-8.
std::string QStringToBytes(const QString& text);

}  // namespace dwelvane

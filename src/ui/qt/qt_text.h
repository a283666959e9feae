#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace dwelvane {

// The program's bytes as a person should read them: a valid UTF-8 sequence of two to
// four bytes as its character (names from a Linux file system), every other byte as its
// Windows-1252 character (the program's own texts, scripts written on Windows).
QString BytesToQString(std::string_view bytes);

// What a person typed, as the bytes the file system takes: UTF-8.
std::string QStringToBytes(const QString& text);

}  // namespace dwelvane

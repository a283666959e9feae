#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace dwelvane {

inline constexpr std::size_t kUiTextCount = 32;

// The interface texts of one language, by entry number; Windows-1252 bytes.
using UiTextTable = std::array<std::string_view, kUiTextCount>;

extern const UiTextTable kEnglishUiTexts;
extern const UiTextTable kGermanUiTexts;

// The German list for exactly "German.lng", the English list for any other name.
const UiTextTable& SelectLanguage(std::string_view language_name);

}  // namespace dwelvane

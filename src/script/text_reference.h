#pragma once

#include <string_view>

namespace dwelvane {

// A text "/ID/fallback" names a string table entry, and the engine shows the fallback when
// the table has none; any other text is shown as it is.
struct TextReference {
  bool names_entry = false;
  std::string_view id;
  std::string_view fallback;  // the whole text when it names no entry
};

inline TextReference SplitReference(std::string_view text) {
  const std::size_t closing = text.starts_with('/') ? text.find('/', 1) : std::string_view::npos;
  if (closing == std::string_view::npos) {
    return {false, {}, text};
  }
  return {true, text.substr(1, closing - 1), text.substr(closing + 1)};
}

}  // namespace dwelvane

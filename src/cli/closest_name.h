#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace dwelvane {

// The name a mistyped `word` most likely meant: the nearest of `names` by edits (a letter
// added, dropped, changed or two swapped), when it is near enough to be a typo.
std::optional<std::string_view> FindClosestName(std::string_view word,
                                                std::span<const std::string_view> names);

}  // namespace dwelvane

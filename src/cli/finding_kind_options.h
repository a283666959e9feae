#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>

#include "dialogue/dialogue_check.h"

namespace dwelvane {

// Every kind's name, in the order of FindingKind: the values of --enable, --disable, --error.
inline constexpr auto kFindingKindNames = [] {
  std::array<std::string_view, kFindingKindCount> names;
  for (std::size_t kind = 0; kind < names.size(); ++kind) {
    names[kind] = FindingKindName(static_cast<FindingKind>(kind));
  }
  return names;
}();

using FindingKinds = std::bitset<kFindingKindCount>;

// A LIST of kind names, comma-separated, in any letter case, with spaces around them.
// Nothing, with the reason and the valid names in `error`, for an unknown or no name.
std::optional<FindingKinds> ParseFindingKinds(std::string_view list, std::string_view option,
                                              std::string& error);

}  // namespace dwelvane

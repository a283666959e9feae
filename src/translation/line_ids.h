#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dwelvane {

// The IDs this program gives lines: a prefix and a number of four digits at least.
inline constexpr std::string_view kDefaultIdPrefix = "dlg_";

// The number of `id` when it is `prefix` (ASCII letter case ignored, as the engine compares
// IDs) followed by digits only; nothing otherwise, or when the number is too large to count on.
std::optional<std::uint64_t> NumberOfId(std::string_view id, std::string_view prefix);

// `prefix` and `number`, the number with leading zeros to four digits.
std::string MakeId(std::string_view prefix, std::uint64_t number);

}  // namespace dwelvane

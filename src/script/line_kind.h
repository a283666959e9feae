#pragma once

#include <cstdint>
#include <string_view>

namespace dwelvane {

// How a line is said: through Talk, through TalkAsync, or chosen by the player.
enum class LineKind : std::uint8_t { kTalk, kAsync, kChoice };

constexpr std::string_view LineKindName(LineKind kind) {
  switch (kind) {
    case LineKind::kTalk:
      return "talk";
    case LineKind::kAsync:
      return "async";
    case LineKind::kChoice:
      return "choice";
  }
  return {};
}

}  // namespace dwelvane

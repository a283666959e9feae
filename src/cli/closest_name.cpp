#include "cli/closest_name.h"

#include <algorithm>
#include <vector>

namespace dwelvane {
namespace {

// Optimal string alignment distance, letters compared without ASCII case.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  const std::size_t width = b.size() + 1;
  std::vector<std::size_t> d((a.size() + 1) * width);
  const auto at = [&](std::size_t i, std::size_t j) -> std::size_t& { return d[i * width + j]; };
  for (std::size_t i = 0; i <= a.size(); ++i) {
    at(i, 0) = i;
  }
  for (std::size_t j = 0; j <= b.size(); ++j) {
    at(0, j) = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t change = lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1;
      at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + change});
      if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) &&
          lower(a[i - 2]) == lower(b[j - 1])) {
        at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
      }
    }
  }
  return at(a.size(), b.size());
}

}  // namespace

std::optional<std::string_view> FindClosestName(std::string_view word,
                                                std::span<const std::string_view> names) {
  std::optional<std::string_view> closest;
  std::size_t best = 0;
  for (const std::string_view name : names) {
    const std::size_t distance = EditDistance(word, name);
    if (!closest || distance < best) {
      closest = name;
      best = distance;
    }
  }
  // One edit in a short name, up to a third of a longer one.
  const std::size_t allowed = std::max<std::size_t>(1, word.size() / 3);
  return closest && best <= allowed ? closest : std::nullopt;
}

}  // namespace dwelvane

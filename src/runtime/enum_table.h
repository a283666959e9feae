#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <type_traits>

namespace dwelvane {

// The number of enumerators of an enum that ends with `kCount`.
template <typename Enum>
inline constexpr std::size_t kEnumCount = static_cast<std::size_t>(Enum::kCount);

// The checks below take a table of rows that each name an enumerator in `key`. A C array is
// sized by its rows, so a row left out changes its size; a std::array sized by the enum's
// count fills a row left out with the first enumerator, which then stands out of place.

// True when row i names enumerator i, for every enumerator: a table indexed by the enum.
template <typename Row, typename Enum>
constexpr bool RowsFollowTheirEnum(std::type_identity_t<std::span<const Row>> rows,
                                   Enum Row::*key) {
  if (rows.size() != kEnumCount<Enum>) {
    return false;
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (static_cast<std::size_t>(rows[i].*key) != i) {
      return false;
    }
  }
  return true;
}

// True when the rows name each enumerator exactly once, in any order.
template <typename Row, typename Enum>
constexpr bool RowsNameEachEnumeratorOnce(std::type_identity_t<std::span<const Row>> rows,
                                          Enum Row::*key) {
  if (rows.size() != kEnumCount<Enum>) {
    return false;
  }
  std::array<bool, kEnumCount<Enum>> named{};
  for (const Row& row : rows) {
    const auto index = static_cast<std::size_t>(row.*key);
    if (index >= named.size() || named[index]) {
      return false;
    }
    named[index] = true;
  }
  return true;
}

}  // namespace dwelvane

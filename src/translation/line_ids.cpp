#include "translation/line_ids.h"

#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

// Far below the largest 64-bit number, so that the next number always exists.
constexpr std::size_t kMostDigits = 18;

}  // namespace

std::optional<std::uint64_t> NumberOfId(std::string_view id, std::string_view prefix) {
  if (id.size() <= prefix.size() || !EqualIgnoringAsciiCase(id.substr(0, prefix.size()), prefix)) {
    return std::nullopt;
  }
  const std::string_view digits = id.substr(prefix.size());
  if (digits.size() > kMostDigits) {
    return std::nullopt;
  }
  std::uint64_t number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    number = number * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return number;
}

std::string MakeId(std::string_view prefix, std::uint64_t number) {
  const std::string digits = std::to_string(number);
  std::string id(prefix);
  id.append(digits.size() < 4 ? 4 - digits.size() : 0, '0').append(digits);
  return id;
}

}  // namespace dwelvane

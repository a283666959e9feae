#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace dwelvane {

// An ID to put at the start of a text literal, whose opening quote is at `quote`.
struct IdInsertion {
  std::int64_t quote = 0;
  std::string_view id;
};

// `script` with "/ID/" after each insertion's quote; `insertions` in the order of their
// quotes, each quote inside the script. Every other byte stays as it was.
std::string InsertIds(std::string_view script, std::span<const IdInsertion> insertions);

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace dwelvane {

// A text literal the line ends in (or too long), which the engine's compiler refuses.
struct BrokenLiteralAt {
  std::string path;
  std::int64_t line = 0;
  bool too_long = false;
};
using BrokenLiteralNote = std::function<void(const BrokenLiteralAt&)>;

}  // namespace dwelvane

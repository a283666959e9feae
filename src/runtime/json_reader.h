#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

// One value of a JSON text. An object keeps its members in the written order: `keys[i]`
// names `items[i]`; an array keeps its elements in `items`.
struct JsonValue {
  enum class Type { kNull, kBoolean, kNumber, kString, kArray, kObject };

  Type type = Type::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;  // a string's value in UTF-8
  std::vector<std::string> keys;
  std::vector<JsonValue> items;

  // The value of the first member named `key`; nothing when this is no object or has none.
  const JsonValue* Member(std::string_view key) const;
};

struct JsonError {
  std::size_t offset = 0;  // the byte the reader stopped at
  std::string message;
};

// How deeply arrays and objects may nest, so that no input can exhaust the stack.
inline constexpr int kJsonDepthLimit = 64;

// The JSON text `bytes` as RFC 8259 writes it, with nothing but blanks around the value.
// Nothing, and where and why in `error`, for anything else.
std::optional<JsonValue> ReadJson(std::string_view bytes, JsonError& error);

}  // namespace dwelvane

#include "cli/option_values.h"

#include <charconv>

#include "runtime/text_operations.h"

namespace dwelvane {

namespace {

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') {
    text.remove_prefix(1);
  }
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

std::optional<DialogueColumns> ParseColumns(std::string_view list, std::string& error) {
  if (TrimSpaces(list).empty()) {
    error = "--columns needs at least one column";
    return std::nullopt;
  }
  DialogueColumns columns;
  for (const DialogueColumn& column : kDialogueColumns) {
    columns.*column.tick = false;
  }
  for (;;) {
    const std::size_t comma = list.find(',');
    const std::string_view word = TrimSpaces(list.substr(0, comma));
    const DialogueColumn* match = nullptr;
    for (const DialogueColumn& column : kDialogueColumns) {
      match = EqualIgnoringAsciiCase(column.keyword, word) ? &column : match;
    }
    if (match == nullptr) {
      error = "unknown column '" + std::string(word) + "' in --columns";
      return std::nullopt;
    }
    columns.*match->tick = true;
    if (comma == std::string_view::npos) {
      return columns;
    }
    list.remove_prefix(comma + 1);
  }
}

std::optional<std::int64_t> ParseEpochSeconds(std::string_view text) {
  // The report writes four-digit years: 9999-12-31 23:59:59 UTC is the last second.
  constexpr std::int64_t kLastSecond = 253402300799;
  std::int64_t seconds = -1;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  // std::from_chars takes a minus sign, with which "-0" would be 1970.
  if (text.empty() || text.front() == '-' || failure != std::errc() ||
      end != text.data() + text.size() || seconds < 0 || seconds > kLastSecond) {
    return std::nullopt;
  }
  return seconds;
}

}  // namespace dwelvane

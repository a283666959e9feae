#include "cli/finding_kind_options.h"

#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

std::string ListValidNames() {
  std::string names;
  for (const std::string_view name : kFindingKindNames) {
    names.append(names.empty() ? "" : ", ").append(name);
  }
  return names;
}

}  // namespace

std::optional<FindingKinds> ParseFindingKinds(std::string_view list, std::string_view option,
                                              std::string& error) {
  FindingKinds kinds;
  for (;;) {
    const std::size_t comma = list.find(',');
    const std::string_view word = TrimBlanks(list.substr(0, comma));
    std::size_t kind = 0;
    while (kind < kFindingKindCount && !EqualIgnoringAsciiCase(kFindingKindNames[kind], word)) {
      ++kind;
    }
    if (kind == kFindingKindCount) {
      error =
          (word.empty() ? "a kind name is missing" : "unknown kind '" + std::string(word) + "'") +
          " in --" + std::string(option) + "; the kinds are " + ListValidNames();
      return std::nullopt;
    }
    kinds.set(kind);
    if (comma == std::string_view::npos) {
      return kinds;
    }
    list.remove_prefix(comma + 1);
  }
}

}  // namespace dwelvane

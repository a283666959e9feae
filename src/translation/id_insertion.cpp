#include "translation/id_insertion.h"

namespace dwelvane {

std::string InsertIds(std::string_view script, std::span<const IdInsertion> insertions) {
  std::size_t added = 0;
  for (const IdInsertion& insertion : insertions) {
    added += insertion.id.size() + 2;
  }
  std::string result;
  result.reserve(script.size() + added);
  std::size_t copied = 0;
  for (const IdInsertion& insertion : insertions) {
    const std::size_t after_quote = static_cast<std::size_t>(insertion.quote) + 1;
    result.append(script.substr(copied, after_quote - copied));
    result.append("/").append(insertion.id).append("/");
    copied = after_quote;
  }
  result.append(script.substr(copied));
  return result;
}

}  // namespace dwelvane

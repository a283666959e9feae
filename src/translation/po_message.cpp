#include "translation/po_file.h"

#include <algorithm>

namespace dwelvane {

bool PoMessage::Fuzzy() const {
  return std::ranges::find(flags, "fuzzy") != flags.end();
}

void PoMessage::SetFuzzy(bool fuzzy) {
  if (fuzzy == Fuzzy()) {
    return;
  }
  if (fuzzy) {
    flags.insert(flags.begin(), "fuzzy");
  } else {
    std::erase(flags, "fuzzy");
  }
}

bool PoMessage::IsHeader() const {
  return id.empty() && !context && !obsolete;
}

}  // namespace dwelvane

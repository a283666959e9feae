#pragma once

#include "translation/po_file.h"

namespace dwelvane {

// Carries a translator's catalog over to a freshly made one. Messages are keyed by their
// context (compared exactly); a message without one by its id among those without one.
// Each fresh message, in fresh order:
// - a translated message of the same key and id: its strings, translator comments and flags
//   (and previous texts), with the fresh extracted comments and references;
// - of the same key and another id: as above, marked fuzzy, its id kept as the previous id
//   (a fuzzy one's previous id stays);
// - none (or one without a translation): the fresh message with empty strings.
// An obsolete message counts as a match too, after a current one. The header is the
// translated catalog's when it has one. Translated messages whose key the fresh catalog
// lacks follow as obsolete; untranslated ones are dropped.
PoCatalog MergePo(const PoCatalog& translated, const PoCatalog& fresh);

}  // namespace dwelvane

#include "cli/translation_options.h"

namespace dwelvane {

TableEncoding ChooseCodePage(const CommandArguments& arguments) {
  const TableEncoding pages[] = {TableEncoding::kWindows1250, TableEncoding::kWindows1251,
                                 TableEncoding::kWindows1252};
  static_assert(std::size(pages) == std::size(kCodePageNames));
  return pages[arguments.Choice("code-page", kCodePageNames).value_or(2)];
}

}  // namespace dwelvane

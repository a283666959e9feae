#include "translation/table_text.h"

#include <algorithm>

namespace dwelvane {
namespace {

void ReplaceFrom(std::string& text, std::size_t start, char from, char to) {
  std::replace(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), from, to);
}

}  // namespace

bool AppendTableText(std::string& out, std::string_view text, SourceEncoding source,
                     bool table_in_utf8) {
  const std::size_t start = out.size();
  if (table_in_utf8) {
    AppendAsUtf8(out, text, source);
  } else if (source == SourceEncoding::kUtf8) {
    if (!AppendFromUtf8(out, text, TableEncoding::kWindows1252)) {
      return false;
    }
  } else {
    out.append(text);
  }
  ReplaceFrom(out, start, '\n', '|');
  return true;
}

TableEncoding EncodingOfTable(const StringTableFile& table, TableEncoding code_page) {
  return table.HasByteOrderMark() ? TableEncoding::kUtf8WithBom : code_page;
}

std::string TableTextInUtf8(std::string_view text, TableEncoding encoding) {
  std::string utf8;
  AppendTableTextInUtf8(utf8, text, encoding);
  return utf8;
}

void AppendTableTextInUtf8(std::string& out, std::string_view text, TableEncoding encoding) {
  const std::size_t start = out.size();
  AppendToUtf8(out, text, encoding);
  ReplaceFrom(out, start, '|', '\n');
}

bool AppendUtf8AsTableText(std::string& out, std::string_view utf8, TableEncoding encoding) {
  const std::size_t start = out.size();
  if (!AppendFromUtf8(out, utf8, encoding)) {
    return false;
  }
  ReplaceFrom(out, start, '\n', '|');
  return true;
}

}  // namespace dwelvane

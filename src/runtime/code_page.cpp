#include "runtime/code_page.h"

#include <array>

namespace dwelvane {
namespace {

struct EncodingRow {
  TableEncoding encoding;
  std::string_view name;
  unsigned code_page;
  std::string_view unassigned;  // the bytes without a character
};

constexpr std::array<EncodingRow, 4> kEncodings = {{
    {TableEncoding::kUtf8WithBom, "utf-8-bom", 65001, ""},
    {TableEncoding::kWindows1250, "windows-1250", 1250, "\x81\x83\x88\x90\x98"},
    {TableEncoding::kWindows1251, "windows-1251", 1251, "\x98"},
    {TableEncoding::kWindows1252, "windows-1252", 1252, "\x81\x8D\x8F\x90\x9D"},
}};

constexpr bool RowsFollowEncodings() {
  for (std::size_t i = 0; i < kEncodings.size(); ++i) {
    if (static_cast<std::size_t>(kEncodings[i].encoding) != i) {
      return false;
    }
  }
  return true;
}
static_assert(RowsFollowEncodings());

const EncodingRow& RowOf(TableEncoding encoding) {
  return kEncodings[static_cast<std::size_t>(encoding)];
}

}  // namespace

std::string_view TableEncodingName(TableEncoding encoding) {
  return RowOf(encoding).name;
}

std::optional<TableEncoding> TableEncodingNamed(std::string_view name) {
  for (const EncodingRow& row : kEncodings) {
    if (row.name == name) {
      return row.encoding;
    }
  }
  return std::nullopt;
}

unsigned CodePageNumber(TableEncoding encoding) {
  return RowOf(encoding).code_page;
}

bool LeavesUnassigned(TableEncoding encoding, unsigned char byte) {
  return RowOf(encoding).unassigned.find(static_cast<char>(byte)) != std::string_view::npos;
}

}  // namespace dwelvane

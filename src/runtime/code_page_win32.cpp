#include <windows.h>

#include "runtime/code_page.h"
#include "runtime/text_conversion.h"
#include "runtime/text_encoding.h"

namespace dwelvane {

bool AppendFromUtf8(std::string& out, std::string_view utf8, TableEncoding encoding) {
  // The wide conversion would take a stray byte for a Windows-1252 character.
  if (DetectEncoding(utf8) == SourceEncoding::kWindows1252) {
    return false;
  }
  return AppendInCodePage(out, utf8, CodePageNumber(encoding));
}

void AppendToUtf8(std::string& out, std::string_view bytes, TableEncoding encoding) {
  if (encoding == TableEncoding::kUtf8WithBom || bytes.empty()) {
    out.append(bytes);
    return;
  }
  const auto length = static_cast<int>(bytes.size());
  const UINT code_page = CodePageNumber(encoding);
  const int size = MultiByteToWideChar(code_page, 0, bytes.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), length, wide.data(), size);
  out.append(FromWide(wide));
}

}  // namespace dwelvane

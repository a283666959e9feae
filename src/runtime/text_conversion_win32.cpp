#include <windows.h>

#include "runtime/text_conversion.h"

namespace dwelvane {
namespace {

// Paths from this length on get the "\\?\" form: below it even the creation of a folder,
// whose path must leave room for a file name of 8.3 characters, keeps within MAX_PATH.
constexpr std::size_t kLongPathFrom = MAX_PATH - 12;

constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

// What GetFullPathNameW makes of `path`; the path itself when it fails.
std::wstring FullPath(const std::wstring& path) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) {
    return path;
  }
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) {
    return path;
  }
  full.resize(length);
  return full;
}

}  // namespace

std::wstring ToWide(std::string_view text) {
  const std::u16string wide = Utf8ToUtf16(text);
  return std::wstring(wide.begin(), wide.end());
}

std::string FromWide(std::wstring_view text) {
  return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

bool AppendInCodePage(std::string& out, std::string_view text, unsigned code_page) {
  if (code_page == CP_UTF8) {
    out.append(text);
    return true;
  }
  const std::wstring wide = ToWide(text);
  if (wide.empty()) {
    return true;
  }
  const auto length = static_cast<int>(wide.size());
  // No best fit ("Z" for "Ż"): a character the code page lacks makes the name lossy.
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                       nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) {
    return false;
  }
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(size));
  WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide.data(), length, out.data() + start,
                      size, nullptr, nullptr);
  return true;
}

bool AppendInSystemCodePage(std::string& out, std::string_view name) {
  return AppendInCodePage(out, name, GetACP());
}

std::wstring ToWidePath(std::string_view path) {
  std::wstring wide = ToWide(path);
  if (wide.size() < kLongPathFrom || wide.starts_with(kLongPathPrefix)) {
    return wide;
  }
  wide = FullPath(wide);
  if (wide.starts_with(L"\\\\")) {
    return std::wstring(kLongUncPrefix).append(wide, 2);
  }
  if (wide.size() >= 2 && wide[1] == L':') {
    return std::wstring(kLongPathPrefix).append(wide);
  }
  return wide;
}

}  // namespace dwelvane

#include "runtime/text_conversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dwelvane {
namespace {

TEST(TextConversionTest, DecodesUtf8AndTakesOtherBytesAsWindows1252) {
  struct Case {
    std::string_view utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"\xC5\xBB\xC3\xB3\xC5\x82w", u"\u017B\u00F3\u0142w"},      // Żółw
      {"\xF0\x9F\x98\x80!", u"\xD83D\xDE00!"},                    // U+1F600
      {"W\xE4hlen", u"W\u00E4hlen"},                              // Windows-1252
      {"\x80\x81\x9F", u"\u20AC\u0081\u0178"},                    // its C1 range
      {"\xC3", u"\u00C3"},                                        // cut off
      {"\xC0\x80", u"\u00C0\u20AC"},                              // overlong
      {"\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},                    // a surrogate
      {"\xF4\x90\x80\x80", u"\u00F4\u0090\u20AC\u20AC"},          // past U+10FFFF
      {std::string_view("a\0b", 3), std::u16string(u"a\0b", 3)},  // zeros stay
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
  }
}

TEST(TextConversionTest, EncodesUtf16AndReplacesUnpairedSurrogates) {
  struct Case {
    std::u16string utf16;
    std::string_view utf8;
  };
  const Case cases[] = {
      {u"\u017B\u00F3\u0142w", "\xC5\xBB\xC3\xB3\xC5\x82w"},
      {u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
      {u"a\xD83D", "a\xEF\xBF\xBD"},                  // high surrogate at the end
      {u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // the pair the wrong way round
      {u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8) << c.utf8;
  }
}

#ifdef _WIN32
TEST(TextConversionTest, AnsiCodePagesTakeOnlyWhatTheyHoldWhole) {
  struct Case {
    std::string_view utf8;
    unsigned code_page;
    std::optional<std::string_view> bytes;  // nothing: the code page lacks a character
  };
  const std::string_view polish = "\xC5\xBB\xC3\xB3\xC5\x82w";  // Żółw
  const std::string_view russian = "\xD0\x9F\xD1\x80\xD0\xBE";  // Про
  const Case cases[] = {
      {"M\xC3\xBCller \xE2\x82\xAC", 1252, "M\xFCller \x80"},
      {polish, 1252, std::nullopt},  // no "Z" and "l" for the letters it lacks
      {polish, 1250, "\xAF\xF3\xB3w"},
      {russian, 1251, "\xCF\xF0\xEE"},
      {russian, 65001, russian},
      {"\xF0\x9F\x98\x80", 1252, std::nullopt},
  };
  for (const Case& c : cases) {
    std::string out = "kept:";
    const bool held = AppendInCodePage(out, c.utf8, c.code_page);
    EXPECT_EQ(held, c.bytes.has_value()) << c.utf8 << " in " << c.code_page;
    EXPECT_EQ(out, "kept:" + std::string(c.bytes.value_or(""))) << c.utf8 << " in " << c.code_page;
  }
}

TEST(TextConversionTest, LongPathsGetTheFormWithoutTheLimit) {
  std::string folder = "C:\\";
  for (int i = 0; i < 30; ++i) {
    folder += "abcdefghi\\";
  }
  const std::wstring wide_folder = ToWide(folder);
  struct Case {
    std::string path;
    std::wstring wide;
  };
  const Case cases[] = {
      {"C:\\short\\D\xC3\xA9mo.wpr", L"C:\\short\\D\u00E9mo.wpr"},
      {"scr/relative", L"scr/relative"},
      {folder + "x.script", L"\\\\?\\" + wide_folder + L"x.script"},
      {folder + "a/../b/./x.script", L"\\\\?\\" + wide_folder + L"b\\x.script"},
      {"\\\\server\\share\\" + folder.substr(3),
       L"\\\\?\\UNC\\server\\share\\" + wide_folder.substr(3)},
      {"\\\\?\\" + folder + "a/../x", L"\\\\?\\" + wide_folder + L"a/../x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToWidePath(c.path), c.wide) << c.path;
  }
}
#else
TEST(TextConversionTest, NamesAreBytesOutsideWindows) {
  for (const std::string_view name : {"M\xC3\xBCller", "M\xFCller", "\xC0\x80"}) {
    std::string out = "kept:";
    EXPECT_TRUE(AppendInSystemCodePage(out, name));
    EXPECT_EQ(out, "kept:" + std::string(name));
  }
}
#endif

}  // namespace
}  // namespace dwelvane

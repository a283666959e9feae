#include "runtime/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace dwelvane {
namespace {

using enum TableEncoding;

constexpr std::string_view kPolish = "\xC5\xBB\xC3\xB3\xC5\x82w";  // Żółw
constexpr std::string_view kRussian = "\xD0\x9F\xD1\x80\xD0\xBE";  // Про
constexpr std::string_view kEuro = "\xE2\x82\xAC";

TEST(CodePageTest, TextsGoThereAndBackWhereTheCodePageHoldsThem) {
  struct Pair {
    std::string utf8;
    TableEncoding encoding;
    std::string bytes;
  };
  // The characters only one code page has included, and the bytes a code page leaves
  // unassigned, which read as the C1 controls of their number.
  std::vector<Pair> pairs = {
      {std::string(kPolish), kWindows1250, "\xAF\xF3\xB3w"},
      {std::string(kRussian), kWindows1251, "\xCF\xF0\xEE"},
      {"M\xC3\xBCller " + std::string(kEuro), kWindows1252, "M\xFCller \x80"},
      {std::string(kEuro), kWindows1250, "\x80"},
      {std::string(kEuro), kWindows1251, "\x88"},
      {"\xC5\xA0\xE2\x80\x9A|", kWindows1252, "\x8A\x82|"},  // Š‚
      {"\xF0\x9F\x98\x80", kUtf8WithBom, "\xF0\x9F\x98\x80"},
      {std::string("a\0b", 3), kWindows1250, std::string("a\0b", 3)},
      {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", kWindows1252, "\x81\x8D\x8F\x90\x9D"},
      {"\xC2\x81\xC2\x83\xC2\x88\xC2\x90\xC2\x98", kWindows1250, "\x81\x83\x88\x90\x98"},
      {"x\xC2\x98y", kWindows1251, "x\x98y"},
      {"", kWindows1252, ""},  // longer than any buffer a conversion starts with, below
  };
  for (int i = 0; i < 5000; ++i) {
    pairs.back().utf8.append(kEuro).append("\xC3\xA9");
    pairs.back().bytes.append("\x80\xE9");
  }
  for (const Pair& pair : pairs) {
    const std::string_view name = TableEncodingName(pair.encoding);
    EXPECT_EQ(TableEncodingNamed(name), pair.encoding);
    std::string bytes = "kept";
    ASSERT_TRUE(AppendFromUtf8(bytes, pair.utf8, pair.encoding)) << name << " " << pair.utf8;
    EXPECT_EQ(bytes, "kept" + pair.bytes) << name << " " << pair.utf8;
    std::string utf8 = "kept";
    AppendToUtf8(utf8, pair.bytes, pair.encoding);
    EXPECT_EQ(utf8, "kept" + pair.utf8) << name << " " << pair.utf8;
  }
}

TEST(CodePageTest, RefusesCharactersTheCodePageLacksAndInvalidUtf8) {
  const std::pair<std::string_view, TableEncoding> cases[] = {
      {kPolish, kWindows1252},  // no "l" for "ł"
      {kRussian, kWindows1250},
      {"\xC3\x9F", kWindows1251},  // ß
      {"\xC2\x80", kWindows1252},  // U+0080: 0x80 is the euro
      {"\xC2\x81", kWindows1251},  // 0x81 is assigned there
      {"\xF0\x9F\x98\x80", kWindows1252},
      {"ok \xC3", kWindows1252},       // cut off
      {"\xC0\x80", kWindows1250},      // overlong
      {"\xED\xA0\x80", kWindows1251},  // a surrogate
      {"\xED\xA0\x80", kUtf8WithBom},
      {"\xFC", kUtf8WithBom},
  };
  for (const auto& [utf8, encoding] : cases) {
    std::string out = "kept";
    EXPECT_FALSE(AppendFromUtf8(out, utf8, encoding)) << TableEncodingName(encoding) << utf8;
    EXPECT_EQ(out, "kept");
  }
}

TEST(CodePageTest, EveryByteOfACodePageBecomesOneCharacter) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    all.push_back(static_cast<char>(byte));
  }
  for (const TableEncoding encoding : {kWindows1250, kWindows1251, kWindows1252}) {
    std::string utf8;
    std::string back;
    AppendToUtf8(utf8, all, encoding);
    ASSERT_TRUE(AppendFromUtf8(back, utf8, encoding)) << TableEncodingName(encoding);
    EXPECT_EQ(back, all) << TableEncodingName(encoding);
  }
}

}  // namespace
}  // namespace dwelvane

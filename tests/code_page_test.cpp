#include "runtime/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace dwelvane {
namespace {

constexpr TableEncoding kAllEncodings[] = {TableEncoding::kUtf8WithBom, TableEncoding::kWindows1250,
                                           TableEncoding::kWindows1251,
                                           TableEncoding::kWindows1252};

constexpr std::string_view kPolish = "\xC5\xBB\xC3\xB3\xC5\x82w";  // Żółw
constexpr std::string_view kRussian = "\xD0\x9F\xD1\x80\xD0\xBE";  // Про
constexpr std::string_view kGerman = "M\xC3\xBCller";              // Müller
constexpr std::string_view kEuro = "\xE2\x82\xAC";

struct Pair {
  std::string utf8;
  TableEncoding encoding;
  std::string bytes;
};

// Each text and its bytes in one encoding, the characters only one code page has included,
// and the bytes a code page leaves unassigned, which read as the C1 controls of their number.
std::vector<Pair> RoundTrips() {
  std::vector<Pair> pairs = {
      {std::string(kPolish), TableEncoding::kWindows1250, "\xAF\xF3\xB3w"},
      {std::string(kRussian), TableEncoding::kWindows1251, "\xCF\xF0\xEE"},
      {std::string(kGerman) + " " + std::string(kEuro), TableEncoding::kWindows1252,
       "M\xFCller \x80"},
      {std::string(kEuro), TableEncoding::kWindows1250, "\x80"},
      {std::string(kEuro), TableEncoding::kWindows1251, "\x88"},
      {"\xC5\xA0\xE2\x80\x9A|", TableEncoding::kWindows1252, "\x8A\x82|"},  // Š‚
      {std::string(kPolish), TableEncoding::kUtf8WithBom, std::string(kPolish)},
      {"\xF0\x9F\x98\x80", TableEncoding::kUtf8WithBom, "\xF0\x9F\x98\x80"},
      {std::string("a\0b", 3), TableEncoding::kWindows1250, std::string("a\0b", 3)},
      {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", TableEncoding::kWindows1252,
       "\x81\x8D\x8F\x90\x9D"},
      {"\xC2\x81\xC2\x83\xC2\x88\xC2\x90\xC2\x98", TableEncoding::kWindows1250,
       "\x81\x83\x88\x90\x98"},
      {"x\xC2\x98y", TableEncoding::kWindows1251, "x\x98y"},
  };
  // Longer than any buffer a conversion starts with.
  std::string long_utf8;
  std::string long_bytes;
  for (int i = 0; i < 5000; ++i) {
    long_utf8.append(kEuro).append("\xC3\xA9");
    long_bytes.append("\x80\xE9");
  }
  pairs.push_back({long_utf8, TableEncoding::kWindows1252, long_bytes});
  return pairs;
}

TEST(CodePageTest, TextsGoThereAndBackWhereTheCodePageHoldsThem) {
  for (const Pair& pair : RoundTrips()) {
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
  struct Case {
    std::string_view utf8;
    TableEncoding encoding;
  };
  const Case cases[] = {
      {kPolish, TableEncoding::kWindows1252},  // no "l" for "ł"
      {kRussian, TableEncoding::kWindows1250},
      {kGerman, TableEncoding::kWindows1251},
      {"\xC3\x9F", TableEncoding::kWindows1251},  // ß
      {"\xC2\x80", TableEncoding::kWindows1252},  // U+0080: 0x80 is the euro
      {"\xC2\x81", TableEncoding::kWindows1251},  // 0x81 is assigned there
      {"\xF0\x9F\x98\x80", TableEncoding::kWindows1252},
      {"ok \xC3", TableEncoding::kWindows1252},       // cut off
      {"\xC0\x80", TableEncoding::kWindows1250},      // overlong
      {"\xED\xA0\x80", TableEncoding::kWindows1251},  // a surrogate
      {"\xED\xA0\x80", TableEncoding::kUtf8WithBom},
      {"\xFC", TableEncoding::kUtf8WithBom},
  };
  for (const Case& c : cases) {
    std::string out = "kept";
    EXPECT_FALSE(AppendFromUtf8(out, c.utf8, c.encoding))
        << TableEncodingName(c.encoding) << " " << c.utf8;
    EXPECT_EQ(out, "kept");
  }
}

TEST(CodePageTest, EveryByteOfACodePageBecomesOneCharacter) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    all.push_back(static_cast<char>(byte));
  }
  for (const TableEncoding encoding : kAllEncodings) {
    if (encoding == TableEncoding::kUtf8WithBom) {
      continue;
    }
    std::string utf8;
    AppendToUtf8(utf8, all, encoding);
    std::string back;
    ASSERT_TRUE(AppendFromUtf8(back, utf8, encoding)) << TableEncodingName(encoding);
    EXPECT_EQ(back, all) << TableEncodingName(encoding);
  }
}

}  // namespace
}  // namespace dwelvane

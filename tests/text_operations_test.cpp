#include "runtime/text_operations.h"

#include <gtest/gtest.h>

#include <limits>

#include "runtime/date_time.h"
#include "runtime/path_separator.h"

namespace dwelvane {
namespace {

TEST(TextFindTest, CountsFromOneAndGivesZeroWhenAbsent) {
  struct Case {
    std::string_view text, what;
    std::ptrdiff_t start;
    std::size_t expected;
  };
  const Case cases[] = {
      {"abcabc", "b", 4, 5},       {"abcabc", "b", 0, 2}, {"abcabc", "b", -3, 2},
      {"abcabc", "b", 8, 0},       {"abcabc", "c", 6, 6}, {"abcabc", "", 7, 7},
      {"abcabc", "", 8, 0},        {"abcabc", "B", 1, 0}, {"", "a", 1, 0},
      {"a.Talk(", ".Talk(", 1, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextFind(c.text, c.what, c.start), c.expected)
        << c.text << " / " << c.what << " from " << c.start;
  }
}

TEST(TextLowerTest, ShiftsAsciiCapitalsAndTheUpperLatinBlockOnly) {
  EXPECT_EQ(TextLower("Intro.SCRIPT"), "intro.script");
  EXPECT_EQ(TextLower("\xC0\xDF\xDE\xE0\xD7"), "\xE0\xFF\xFE\xE0\xF7");
  EXPECT_EQ(TextLower("@[`{\xBF"), "@[`{\xBF");
}

TEST(TextCutTest, LeftRightMidAndRemoveKeepWithinTheText) {
  EXPECT_EQ(TextLeft("abc", 2), "ab");
  EXPECT_EQ(TextLeft("abc", 9), "abc");
  EXPECT_EQ(TextLeft("abc", -1), "");
  EXPECT_EQ(TextRight("abc", 2), "bc");
  EXPECT_EQ(TextRight("abc", 9), "abc");
  EXPECT_EQ(TextRight("abc", 0), "");
  EXPECT_EQ(TextMid("abcdef", 3, 2), "cd");
  EXPECT_EQ(TextMid("abcdef", -5, 2), "ab");
  EXPECT_EQ(TextMid("abcdef", 7, 2), "");
  EXPECT_EQ(TextMid("abcdef", 5, 99), "ef");
  EXPECT_EQ(TextMid("abcdef", 2, 0), "");
  EXPECT_EQ(TextRemove("  x = 1;", " "), "x=1;");
  EXPECT_EQ(TextRemove("aaa", "aa"), "a");
  EXPECT_EQ(TextLength("\t\xE4"), 2u);
}

TEST(NumberTextTest, ConvertsBothWays) {
  EXPECT_EQ(NumberToText(0), "0");
  EXPECT_EQ(NumberToText(-42), "-42");
  EXPECT_EQ(NumberToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  EXPECT_EQ(TextToNumber("   -17abc"), -17);
  EXPECT_EQ(TextToNumber("+8"), 8);
  EXPECT_EQ(TextToNumber("x12"), 0);
  EXPECT_EQ(TextToNumber("\t12"), 0);
  EXPECT_EQ(TextToNumber("99999999999999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(TextToNumber("-99999999999999999999"), std::numeric_limits<std::int32_t>::min());
}

TEST(PathPartTest, SplitsAtTheLastSeparatorAndDropsQuotes) {
  const std::string s(1, kPathSeparator);
  EXPECT_EQ(PathDirectoryPart("C:" + s + "Games" + s + "a.script"), "C:" + s + "Games" + s);
  EXPECT_EQ(PathFilePart("C:" + s + "Games" + s + "a.script"), "a.script");
  EXPECT_EQ(PathDirectoryPart("Games" + s), "Games" + s);
  EXPECT_EQ(PathFilePart("Games" + s), "");
  EXPECT_EQ(PathDirectoryPart("a.script"), "");
  EXPECT_EQ(PathFilePart("a.script"), "a.script");
  EXPECT_EQ(PathFilePart("\"" + s + "x" + s + "a.wpr\" -x"), "a.wpr");
  EXPECT_EQ(PathDirectoryPart("\"" + s + "x" + s + "a.wpr\""), s + "x" + s);
}

TEST(DateFormatTest, ReplacesTokensInEitherCase) {
  const DateTime date{2009, 2, 5, 9, 5, 3};
  struct Case {
    std::string_view mask, expected;
  };
  const Case cases[] = {
      {"%mm/%dd/%yyyy", "02/05/2009"},
      {"%dd.%mm.%yyyy", "05.02.2009"},
      {"%hh:%ii:%ss", "09:05:03"},
      {"%yy", "09"},
      {"%YYYY-%Mm", "2009-02"},
      {"%y%", "%y%"},
      {"100%", "100%"},
      {"%%dd", "%05"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DateFormat(c.mask, date), c.expected) << c.mask;
  }
}

}  // namespace
}  // namespace dwelvane

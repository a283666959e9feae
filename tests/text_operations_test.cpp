#include "runtime/text_operations.h"

#include <gtest/gtest.h>

#include "runtime/date_time.h"
#include "runtime/path_separator.h"

namespace dwelvane {
namespace {

TEST(TextCaseTest, FoldsTheLettersEachComparisonFolds) {
  EXPECT_TRUE(EndsWithLowered("Intro.SCRIPT", ".script"));
  EXPECT_TRUE(EndsWithLowered(".script", ".script"));
  EXPECT_FALSE(EndsWithLowered("script", ".script"));
  EXPECT_FALSE(EndsWithLowered("a.script.bak", ".script"));
  // Windows-1252 capitals fold with A-Z; the bytes around them do not.
  EXPECT_TRUE(EndsWithLowered("\xC4\xDE", "\xE4\xFE"));
  EXPECT_EQ(LowerByte('\xD7'), '\xF7');
  EXPECT_EQ(LowerByte('['), '[');
  EXPECT_EQ(LowerByte('\xBF'), '\xBF');
  EXPECT_TRUE(EqualIgnoringAsciiCase("Software\\DEAD:CODE", "SOFTWARE\\dead:code"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("\xC4", "\xE4"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("dlg_1", "dlg_10"));
}

TEST(TerminalTextTest, EscapesEveryControlCharacterAndNothingElse) {
  struct Case {
    std::string_view text;
    std::string_view kept;
    std::string_view shown;
  };
  const Case cases[] = {
      {"plain \\ name \xFC \xC3\xA4", "", "plain \\ name \xFC \xC3\xA4"},
      {"a\x1B[31mred\x1B]0;title\x07", "", "a\\x1b[31mred\\x1b]0;title\\x07"},
      {std::string_view("nul\0\x7F", 5), "", "nul\\x00\\x7f"},
      {"csi \xC2\x9B"
       "2J, nbsp \xC2\xA0",
       "", "csi \\xc2\\x9b2J, nbsp \xC2\xA0"},
      {"line\r\n\tend\n", "\t\r\n", "line\r\n\tend\n"},
      {"line\r\n", "", "line\\x0d\\x0a"},
      {"cut \xC2", "", "cut \xC2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EscapeControlCharacters(c.text, c.kept), c.shown) << c.text;
  }
}

TEST(PathDirectoryPartTest, EndsAtTheLastSeparatorAndDropsQuotes) {
  const std::string s(1, kPathSeparator);
  EXPECT_EQ(PathDirectoryPart("C:" + s + "Games" + s + "demo.wpr"), "C:" + s + "Games" + s);
  EXPECT_EQ(PathDirectoryPart("Games" + s), "Games" + s);
  EXPECT_EQ(PathDirectoryPart("demo.wpr"), "");
  EXPECT_EQ(PathDirectoryPart("\"" + s + "x" + s + "a.wpr\""), s + "x" + s);
  EXPECT_EQ(PathDirectoryPart("a\"b" + s + "c.wpr"), "a");
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

#include "translation/string_table_file.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "temp_folder.h"

namespace dwelvane {
namespace {

using Split = std::array<std::string_view, 4>;  // line, id, text, end

TEST(StringTableFileTest, SplitsLinesIdsAndTextsKeepingEveryByte) {
  const std::pair<std::string_view, std::vector<Split>> cases[] = {
      {"A\tone\r\nB two words\nC\tx y\r",
       {{"A\tone", "A", "one", "\r\n"},
        {"B two words", "B", "two words", "\n"},
        {"C\tx y", "C", "x y", "\r"}}},
      {"a b\tc d", {{"a b\tc d", "a b", "c d", ""}}},  // the tab wins over a space
      {"\xEF\xBB\xBFid\ttext\r\n", {{"id\ttext", "id", "text", "\r\n"}}},
      {";id\tcomment\r\n\r\n  \r\n\tno id\r\nbare",
       {{";id\tcomment", "", "", "\r\n"},
        {"", "", "", "\r\n"},
        {"  ", "", " ", "\r\n"},
        {"\tno id", "", "no id", "\r\n"},
        {"bare", "bare", "", ""}}},
      {std::string_view("x\ty\0z\tw", 7),
       {{"x\ty", "x", "y", std::string_view("\0", 1)}, {"z\tw", "z", "w", ""}}},
      {"\r\r\n\n", {{"", "", "", "\r"}, {"", "", "", "\r\n"}, {"", "", "", "\n"}}},
      {"\xEF\xBB\xBF", {}},
  };
  for (const auto& [bytes, lines] : cases) {
    StringTableFile table;
    table.Parse(std::string(bytes));
    EXPECT_EQ(table.Bytes(), bytes);
    // Put back together, the lines and the byte order mark must be the file again.
    std::string rejoined = table.HasByteOrderMark() ? "\xEF\xBB\xBF" : "";
    std::vector<Split> got;
    for (const TableLine& line : table.Lines()) {
      rejoined.append(line.line).append(line.end);
      got.push_back({line.line, line.id, line.text, line.end});
    }
    EXPECT_EQ(rejoined, bytes);
    EXPECT_EQ(got, lines) << bytes;
  }
}

TEST(StringTableFileTest, FindsTheLastLineOfAnIdInAnyLetterCase) {
  StringTableFile table;
  table.Parse(
      "\xEF\xBB\xBF"
      "dlg_1\tfirst\r\n;dlg_2\tcommented out\r\nDLG_1\tsecond\r\ndlg_10 spaced\r\ndlg_3\r\n"
      "other\tmentions dlg_4\r\n");
  struct Case {
    std::string_view id;
    std::optional<std::size_t> line;
    std::optional<std::string_view> text;
  };
  const Case cases[] = {
      {"Dlg_1", 2, "second"}, {"dlg_10", 3, "spaced"}, {"dlg_3", 4, ""},         {"dlg_2", {}, {}},
      {";dlg_2", {}, {}},     {"dlg_4", {}, {}},       {"dlg_1\tfirst", {}, {}}, {"", {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(table.FindLine(c.id), c.line) << c.id;
    EXPECT_EQ(table.Find(c.id), c.text) << c.id;
  }
}

TEST(StringTableFileTest, LoadsAFileAndTellsAMissingOne) {
  testing::TempFolder folder;
  StringTableFile table;
  ASSERT_FALSE(table.Load(folder.Write("STRING.TAB", "x\ty\r\n")).Failed());
  EXPECT_EQ(table.Find("X"), "y");
  EXPECT_TRUE(table.Load(folder.Join("none/STRING.TAB")).Missing());
  EXPECT_TRUE(table.Lines().empty());
  EXPECT_TRUE(table.Bytes().empty());
  table.Parse("a\tb");  // short enough to live inside a string object: the views must move
  const StringTableFile moved = std::move(table);
  EXPECT_EQ(moved.Find("A"), "b");
}

TEST(StringTableFileTest, AppendedEntriesFollowEveryExistingByte) {
  const std::string added = "new_1\tOne|Two\r\nNEW_1\tlater\r\n";
  const std::pair<std::string_view, std::string> cases[] = {
      {"", added},
      {"\xEF\xBB\xBF", "\xEF\xBB\xBF" + added},
      {"\xEF\xBB\xBFold\tx", "\xEF\xBB\xBFold\tx\r\n" + added},
      {"old\tx\n;note", "old\tx\n;note\r\n" + added},
      {"old\tx\r\n\r\n", "old\tx\r\n\r\n" + added},
  };
  for (const auto& [before, after] : cases) {
    StringTableFile table;
    table.Parse(std::string(before));
    const std::string result =
        AppendTableEntries(table, {{"new_1", "One|Two"}, {"NEW_1", "later"}});
    EXPECT_EQ(result, after) << before;
    table.Parse(result);
    EXPECT_EQ(table.Find("new_1"), "later");
  }
}

}  // namespace
}  // namespace dwelvane

#include "translation/string_table_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "temp_folder.h"

namespace dwelvane {
namespace {

struct ExpectedLine {
  std::string_view line, id, text, end;
};

// The lines and the byte order mark put back together: what Parse split must be the file.
std::string Rejoined(const StringTableFile& table) {
  std::string bytes = table.HasByteOrderMark() ? "\xEF\xBB\xBF" : "";
  for (const TableLine& line : table.Lines()) {
    bytes.append(line.line).append(line.end);
  }
  return bytes;
}

TEST(StringTableFileTest, SplitsLinesIdsAndTextsKeepingEveryByte) {
  struct Case {
    std::string_view bytes;
    bool byte_order_mark;
    std::vector<ExpectedLine> lines;
  };
  const Case cases[] = {
      {"A\tone\r\nB two words\nC\tx y\r",
       false,
       {{"A\tone", "A", "one", "\r\n"},
        {"B two words", "B", "two words", "\n"},
        {"C\tx y", "C", "x y", "\r"}}},
      {"a b\tc d", false, {{"a b\tc d", "a b", "c d", ""}}},  // the tab wins over a space
      {"\xEF\xBB\xBFid\ttext\r\n", true, {{"id\ttext", "id", "text", "\r\n"}}},
      {";id\tcomment\r\n\r\n  \r\n\tno id\r\nbare\r\n",
       false,
       {{";id\tcomment", "", "", "\r\n"},
        {"", "", "", "\r\n"},
        {"  ", "", " ", "\r\n"},
        {"\tno id", "", "no id", "\r\n"},
        {"bare", "bare", "", "\r\n"}}},
      {std::string_view("x\ty\0z\tw", 7),
       false,
       {{"x\ty", "x", "y", std::string_view("\0", 1)}, {"z\tw", "z", "w", ""}}},
      {"\r\r\n\n", false, {{"", "", "", "\r"}, {"", "", "", "\r\n"}, {"", "", "", "\n"}}},
      {"\xEF\xBB\xBF", true, {}},
      {"", false, {}},
  };
  for (const Case& c : cases) {
    StringTableFile table;
    table.Parse(std::string(c.bytes));
    EXPECT_EQ(table.HasByteOrderMark(), c.byte_order_mark) << c.bytes;
    EXPECT_EQ(table.Bytes(), c.bytes);
    EXPECT_EQ(Rejoined(table), c.bytes);
    ASSERT_EQ(table.Lines().size(), c.lines.size()) << c.bytes;
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      const TableLine& got = table.Lines()[i];
      const ExpectedLine& want = c.lines[i];
      EXPECT_EQ(got.line, want.line) << c.bytes << " line " << i;
      EXPECT_EQ(got.id, want.id) << c.bytes << " line " << i;
      EXPECT_EQ(got.text, want.text) << c.bytes << " line " << i;
      EXPECT_EQ(got.end, want.end) << c.bytes << " line " << i;
    }
  }
}

TEST(StringTableFileTest, FindsTheLastLineOfAnIdInAnyLetterCase) {
  StringTableFile table;
  table.Parse(
      "\xEF\xBB\xBF"
      "dlg_1\tfirst\r\n"
      ";dlg_2\tcommented out\r\n"
      "DLG_1\tsecond\r\n"
      "dlg_10 spaced\r\n"
      "dlg_3\r\n"
      "other\tmentions dlg_4\r\n");
  struct Case {
    std::string_view id;
    std::optional<std::size_t> line;
    std::optional<std::string_view> text;
  };
  const Case cases[] = {
      {"dlg_1", 2, "second"}, {"Dlg_1", 2, "second"},   {"dlg_10", 3, "spaced"},
      {"dlg_3", 4, ""},       {"dlg_2", {}, {}},        {";dlg_2", {}, {}},
      {"dlg_4", {}, {}},      {"dlg_1\tfirst", {}, {}}, {"", {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(table.FindLine(c.id), c.line) << c.id;
    EXPECT_EQ(table.Find(c.id), c.text) << c.id;
  }
}

TEST(StringTableFileTest, ViewsStayValidWhenTheTableMoves) {
  StringTableFile first;
  first.Parse("a\tb");  // short enough to live inside a string object
  const StringTableFile moved = std::move(first);
  EXPECT_EQ(moved.Find("A"), "b");
  EXPECT_EQ(moved.Lines().front().line, "a\tb");
}

TEST(StringTableFileTest, LoadsAFileAndTellsAMissingOne) {
  testing::TempFolder folder;
  StringTableFile table;
  ASSERT_FALSE(table.Load(folder.Write("STRING.TAB", "x\ty\r\n")).Failed());
  EXPECT_EQ(table.Find("X"), "y");
  const IoError missing = table.Load(folder.Join("none/STRING.TAB"));
  EXPECT_TRUE(missing.Missing());
  EXPECT_TRUE(table.Lines().empty());
  EXPECT_TRUE(table.Bytes().empty());
}

TEST(StringTableFileTest, AppendedEntriesFollowEveryExistingByte) {
  const std::vector<std::pair<std::string, std::string>> entries = {{"new_1", "One|Two"},
                                                                    {"NEW_1", "later"}};
  const std::string added = "new_1\tOne|Two\r\nNEW_1\tlater\r\n";
  struct Case {
    std::string_view table;
    std::string result;
  };
  const Case cases[] = {
      {"", added},
      {"\xEF\xBB\xBF", "\xEF\xBB\xBF" + added},
      {"\xEF\xBB\xBFold\tx", "\xEF\xBB\xBFold\tx\r\n" + added},
      {"old\tx\n;note", "old\tx\n;note\r\n" + added},
      {"old\tx\n", "old\tx\n" + added},
      {"old\tx\r\n\r\n", "old\tx\r\n\r\n" + added},
  };
  for (const Case& c : cases) {
    StringTableFile table;
    table.Parse(std::string(c.table));
    const std::string result = AppendTableEntries(table, entries);
    EXPECT_EQ(result, c.result) << c.table;
    table.Parse(result);
    EXPECT_EQ(table.Find("new_1"), "later");
  }
}

}  // namespace
}  // namespace dwelvane

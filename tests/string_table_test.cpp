#include "dialogue/string_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

constexpr std::string_view kTable =
    "\xEF\xBB\xBF"
    "dlg_1\tFirst\r\n"
    "dlg_10\tTenth\r\n"
    "dlg_100\tHundredth mentions dlg_1\r\n"
    "note about dlg_1\r\n"
    "DLG_2\tSecond\twith a tab\r\n"
    "dlg_3 spaced text\r\n"
    "dlg_4\tOld\r\n"
    "Dlg_4\tNew \"quoted\" \xE4\r\n"
    "\tno id\r\n"
    "bare_id\r\n";

TEST(StringTableTest, MatchesWholeIdsWithoutRegardToAsciiCase) {
  TempFolder folder;
  StringTable table;
  ASSERT_FALSE(table.Load(folder.Write("STRING.TAB", kTable)).Failed());
  struct Case {
    std::string_view id, text;
  };
  const Case cases[] = {
      {"dlg_1", "First"},
      {"DLG_1", "First"},
      {"dlg_10", "Tenth"},
      {"dlg_2", "Second\twith a tab"},
      {"dlg_3", "spaced text"},
      {"dlg_4", "New \"quoted\" \xE4"},
      {"note", "about dlg_1"},
      {"bare_id", ""},
      {"dlg_", ""},
      {"lg_1", ""},
      {"", ""},
  };
  // More IDs than are fetched ahead, so that the batch wraps around.
  table.LookupEach(
      std::size(cases), [&](std::size_t i) { return cases[i].id; },
      [&](std::size_t i, std::string_view text) { EXPECT_EQ(text, cases[i].text) << cases[i].id; });
}

// A chosen table that can be read, else English/STRING.TAB, else the primary package's.
TEST(StringTableTest, ChoosesTheTableToTranslateFrom) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;
    std::string chosen;    // relative to the project
    std::string expected;  // relative to the project; empty: English/STRING.TAB, no package
  };
  const std::string project_file =
      "[General]\r\nName=x\r\n[Package1]\r\nFolder=main\\pack\r\nPrimary=0\r\n"
      "[Package2]\r\n Folder = voice \r\nPrimary=1\r\n";
  const Case cases[] = {
      {"a chosen one", {{"mine.tab", "a"}, {"data/string.tab", "a"}}, "mine.tab", "mine.tab"},
      {"a chosen one that is gone", {}, "gone.tab", ""},
      {"the primary package",
       {{"game.wpr", project_file}, {"voice/String.Tab", "a\tb"}, {"data/string.tab", "x"}},
       "",
       "voice/String.Tab"},
      {"the first package without a primary one",
       {{"game.WPR", "[package1]\nFolder=main\\pack\n"}, {"main/pack/STRING.TAB", "a"}},
       "",
       "main/pack/STRING.TAB"},
      {"data/ when the package has none",
       {{"game.wpr", project_file}, {"data/string.tab", "a"}},
       "",
       "data/string.tab"},
      {"English/STRING.TAB first", {{"English/STRING.TAB", "a"}, {"data/string.tab", "a"}}, "", ""},
      {"nothing to fall back to", {{"game.wpr", project_file}}, "", ""},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    for (const auto& [name, bytes] : c.files) {
      folder.Write(name, bytes);
    }
    const StringTableChoice choice =
        ChooseStringTable(c.chosen.empty() ? "" : folder.Join(c.chosen), folder.Path());
    EXPECT_EQ(choice.path,
              folder.Join(c.expected.empty() ? "English/STRING.TAB" : c.expected.c_str()))
        << c.what;
    EXPECT_EQ(choice.in_package, !c.expected.empty() && c.chosen.empty()) << c.what;
  }
}

TEST(StringTableTest, TranslatesEachReferenceAndMovesTheBarPerRecord) {
  TempFolder folder;
  const std::string path = folder.Write("STRING.TAB", kTable);
  DialogueTable table;
  for (const char* reference : {"dlg_1", "", "DLG_10", "missing"}) {
    DialogueRecord& record = table.AppendRecord();
    record.Reference = reference;
    record.Translation = {};
  }
  Progress progress{4, 0};
  std::vector<int> positions;
  CommandFeedback feedback;
  feedback.show_progress = [&](int position) { positions.push_back(position); };
  TranslateReferences(table, path, progress, feedback);
  EXPECT_EQ(table.Record(0).Translation, "First");
  EXPECT_EQ(table.Record(1).Translation, "");
  EXPECT_EQ(table.Record(2).Translation, "Tenth");
  EXPECT_EQ(table.Record(3).Translation, "");
  EXPECT_EQ(positions, (std::vector<int>{250, 500, 750, 1000}));
}

}  // namespace
}  // namespace dwelvane

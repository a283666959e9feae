#include "translation/unified_diff.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "cli_runner.h"
#include "temp_folder.h"
#include "translation/id_insertion.h"
#include "translation/line_ids.h"

namespace dwelvane {
namespace {

using testing::QuoteForShell;
using testing::ReadFileBytes;
using testing::TempFolder;

struct DiffCase {
  const char* name;
  std::string before;
  std::string after;
};

// GNU patch, applying the diff to a copy of `before`, must give `after` byte for byte.
TEST(UnifiedDiffTest, PatchTurnsTheOldTextIntoTheNew) {
  std::string many;
  for (int i = 1; i <= 30; ++i) {
    many += "line " + std::to_string(i) + "\r\n";
  }
  std::string far_apart = many;
  far_apart.replace(far_apart.find("line 2\r"), 6, "line 2 changed");
  far_apart.replace(far_apart.find("line 28"), 7, "line 28 changed");
  std::string close_by = many;
  close_by.replace(close_by.find("line 10"), 7, "ten");
  close_by.replace(close_by.find("line 15"), 7, "fifteen");
  const DiffCase cases[] = {
      {"far apart, two hunks", many, far_apart},
      {"close by, one hunk", many, close_by},
      {"appended lines", many, many + "added\r\nand more\r\n"},
      {"last line without its end", "a\nb", "a\nb\r\nc\r\n"},
      {"new file", "", "id\ttext\r\n"},
      {"only line changed, no end", "x", "y"},
  };
  for (const DiffCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    folder.Write("a/dir/file.txt", c.before);
    std::string diff;
    AppendUnifiedDiff(diff, "dir/file.txt", c.before, c.after);
    folder.Write("changes.diff", diff);
    const std::string command =
        "cd " + QuoteForShell(folder.Join("a")) + " && patch -s -p1 --binary < ../changes.diff";
    ASSERT_EQ(std::system(command.c_str()), 0) << diff;
    EXPECT_EQ(ReadFileBytes(folder.Join("a/dir/file.txt")), c.after) << diff;
  }
}

TEST(UnifiedDiffTest, EqualTextsGiveNothing) {
  std::string diff;
  AppendUnifiedDiff(diff, "x", "same\n", "same\n");
  EXPECT_EQ(diff, "");
}

TEST(LineIdsTest, NumbersCountOnlyThePrefixFollowedByDigits) {
  const struct {
    std::string_view id;
    std::optional<std::uint64_t> number;
  } cases[] = {
      {"dlg_0042", 42},          {"DLG_7", 7},
      {"dlg_", std::nullopt},    {"dlg_12a", std::nullopt},
      {"dl_0001", std::nullopt}, {"dlg_1234567890123456789", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberOfId(c.id, "dlg_"), c.number) << c.id;
  }
  EXPECT_EQ(MakeId("dlg_", 42), "dlg_0042");
  EXPECT_EQ(MakeId("x", 123456), "x123456");
}

TEST(IdInsertionTest, IdsGoAfterTheirQuotesAndNothingElseMoves) {
  const std::string script = "a.Talk(\"Hi\");\r\nb.Talk(\"\" + \"x\");  \n";
  const IdInsertion insertions[] = {{7, "dlg_0001"}, {22, "dlg_0002"}};
  EXPECT_EQ(InsertIds(script, insertions),
            "a.Talk(\"/dlg_0001/Hi\");\r\nb.Talk(\"/dlg_0002/\" + \"x\");  \n");
}

}  // namespace
}  // namespace dwelvane

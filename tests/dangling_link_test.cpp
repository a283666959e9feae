#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialogue/script_discovery.h"
#include "statistics/project_scan.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;
using Paths = std::vector<std::string>;

// A file is gone since the walk only when its own entry is: a link that leads nowhere
// counts as a file that can't be read, as any unreadable file does.
TEST(DanglingLinkTest, BothScansCountALinkThatLeadsNowhereAsAnUnreadableFile) {
  struct Case {
    std::string target, removed_after_walk;
    std::int64_t scripts;
    bool skipped;
  };
  const Case cases[] = {
      {"nowhere.script", "", 1, true},
      {"real.txt", "real.txt", 1, true},
      {"nowhere.script", "link.script", 0, false},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    folder.Write("real.txt", "a\nb\n");
    const std::string link = folder.Join("link.script");
    ASSERT_EQ(::symlink(c.target.c_str(), link.c_str()), 0);
    ProjectStatistics statistics;
    Paths skipped;
    CommandFeedback feedback;
    feedback.note_skipped = [&](const IoError& entry) { skipped.push_back(entry.path); };
    // The stage is entered between the walk and the scan.
    feedback.enter_stage = [&](Stage) {
      if (!c.removed_after_walk.empty()) {
        std::remove(folder.Join(c.removed_after_walk).c_str());
      }
    };
    Progress progress;
    ScanProjectFolder(folder.Path(), {}, statistics, progress, feedback);
    EXPECT_EQ(statistics.ScriptCount, c.scripts) << c.target;
    EXPECT_EQ(statistics.ScriptLineCount, 0) << c.target;
    EXPECT_EQ(skipped, c.skipped ? Paths{link} : Paths{}) << c.target;
  }
  TempFolder folder;
  folder.Write("a.script", "a.Talk(\"kept\");\n");
  const std::string dead = folder.Join("dead.script");
  ASSERT_EQ(::symlink("nowhere.script", dead.c_str()), 0);
  Paths skipped;
  CommandFeedback feedback;
  feedback.note_skipped = [&](const IoError& entry) { skipped.push_back(entry.path); };
  DialogueTable table;
  Progress progress;
  ScanDialogue(folder.Path(), {}, {}, table, progress, feedback);
  EXPECT_EQ(table.ScriptCount, 2u);
  EXPECT_EQ(table.DialogueCount, 1u);
  EXPECT_EQ(skipped, Paths{dead});
}

}  // namespace
}  // namespace dwelvane

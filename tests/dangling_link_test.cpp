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

// What goes away between the walk and the read.
enum class Removed { kNothing, kTheTarget, kTheLink };

struct Scanned {
  ProjectStatistics statistics;
  std::vector<std::string> skipped;
};

Scanned ScanWithRemoval(const TempFolder& folder, const std::string& removed) {
  Scanned scanned;
  CommandFeedback feedback;
  feedback.note_skipped = [&](const IoError& entry) { scanned.skipped.push_back(entry.path); };
  // The stage is entered between the walk and the scan.
  feedback.enter_stage = [&](Stage) {
    if (!removed.empty()) {
      std::remove(removed.c_str());
    }
  };
  Progress progress;
  ScanProjectFolder(folder.Path(), {}, scanned.statistics, progress, feedback);
  return scanned;
}

// A file is gone since the walk only when its own entry is: a link that leads nowhere
// counts as a file that can't be read, as any unreadable file does.
TEST(DanglingLinkTest, StatisticsCountALinkThatLeadsNowhereAsAnUnreadableFile) {
  struct Case {
    std::string link;
    std::string target;
    Removed removed;
    std::int64_t scripts, script_lines, item_files;
    bool skipped;
  };
  const Case cases[] = {
      {"dead.script", "nowhere.script", Removed::kNothing, 1, 0, 0, true},
      {"dead.items", "nowhere.items", Removed::kNothing, 0, 0, 1, true},
      {"live.script", "real.txt", Removed::kNothing, 1, 2, 0, false},
      {"live.script", "real.txt", Removed::kTheTarget, 1, 0, 0, true},
      {"gone.script", "nowhere.script", Removed::kTheLink, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string target = folder.Write("real.txt", "a\nb\n");
    const std::string link = folder.Join(c.link);
    ASSERT_EQ(::symlink(c.target.c_str(), link.c_str()), 0);
    const Scanned scanned = ScanWithRemoval(folder, c.removed == Removed::kTheTarget ? target
                                                    : c.removed == Removed::kTheLink ? link
                                                                                     : "");
    EXPECT_EQ(scanned.statistics.ScriptCount, c.scripts) << c.link;
    EXPECT_EQ(scanned.statistics.ScriptLineCount, c.script_lines) << c.link;
    EXPECT_EQ(scanned.statistics.ItemFileCount, c.item_files) << c.link;
    EXPECT_EQ(scanned.skipped,
              c.skipped ? std::vector<std::string>{link} : std::vector<std::string>{})
        << c.link;
  }
}

TEST(DanglingLinkTest, TheDialogueScanCountsALinkThatLeadsNowhereAsAnUnreadableScript) {
  TempFolder folder;
  folder.Write("a.script", "a.Talk(\"kept\");\n");
  const std::string dead = folder.Join("dead.script");
  ASSERT_EQ(::symlink("nowhere.script", dead.c_str()), 0);
  std::vector<std::string> skipped;
  CommandFeedback feedback;
  feedback.note_skipped = [&](const IoError& entry) { skipped.push_back(entry.path); };
  DialogueTable table;
  Progress progress;
  ScanDialogue(folder.Path(), {}, {}, table, progress, feedback);
  EXPECT_EQ(table.ScriptCount, 2u);
  EXPECT_EQ(table.DialogueCount, 1u);
  EXPECT_EQ(skipped, std::vector<std::string>{dead});
}

}  // namespace
}  // namespace dwelvane

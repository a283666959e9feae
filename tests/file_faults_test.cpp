#include "runtime/file_faults.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "dialogue/create_csv_table.h"
#include "runtime/file_replacement.h"
#include "statistics/run_project_statistics.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using platform::FileCall;
using platform::FileCallInfo;
using platform::ScopedFileFaults;
using testing::ReadFileBytes;
using testing::TempFolder;

// Fails the `nth` call (counting from 1) of kind `call` with `error`.
platform::FileFaultRule FailNth(FileCall call, int nth, int error) {
  return [call, nth, error, seen = 0](const FileCallInfo& info) mutable {
    return info.call == call && ++seen == nth ? error : 0;
  };
}

TEST(FileFaultsTest, AReplacementThatFailsAnywhereLeavesTheOldFileAndNoTemporaryOne) {
  struct Case {
    const char* what;
    FileCall call;
    int error;
  };
  const Case cases[] = {
      {"open", FileCall::kOpen, EACCES},
      {"write", FileCall::kWrite, ENOSPC},
      {"close", FileCall::kClose, EIO},
      {"rename", FileCall::kRename, EXDEV},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string path = folder.Write("settings.reg", "old contents\n");
    {
      const ScopedFileFaults faults(FailNth(c.call, 1, c.error));
      EXPECT_FALSE(ReplaceFileContents(path, "new contents\n")) << c.what;
    }
    EXPECT_EQ(ReadFileBytes(path), "old contents\n") << c.what;
    EXPECT_FALSE(testing::FileExists(path + ".new")) << c.what;
    EXPECT_TRUE(ReplaceFileContents(path, "new contents\n")) << "the seam is gone with its scope";
    EXPECT_EQ(ReadFileBytes(path), "new contents\n");
  }
}

// A project of three scripts whose second one fails to read half-way: each small script
// takes one read, so the second read fails.
struct ProjectWithAFailingScript {
  TempFolder project;
  std::vector<std::string> skipped;
  CommandFeedback feedback;
  const ScopedFileFaults faults{FailNth(FileCall::kRead, 2, EIO)};

  ProjectWithAFailingScript() {
    project.Write("a.script", "a.Talk(\"one\");\n");
    project.Write("b.script", "b.Talk(\"two\");\nb.Talk(\"three\");\n");
    project.Write("c.script", "c.Talk(\"four\",\"four.ogg\");\n");
    feedback.note_skipped = [this](const std::string& path) { skipped.push_back(path); };
  }
};

TEST(FileFaultsTest, AScriptThatFailsHalfWayAddsNothingAndIsNamed) {
  ProjectWithAFailingScript p;
  DialogueOptions options;
  options.project_folder = p.project.Path();
  options.columns = {.script_location = false,
                     .script_line = false,
                     .speaker = false,
                     .reference = false,
                     .audio_file = false};
  options.output = OutputTarget::File(p.project.Join("Dialogue_List.csv"));
  DialogueTable table;
  Progress progress;
  EXPECT_EQ(CreateCsvTable(options, table, progress, p.feedback), CommandOutcome::kCompleted);
  EXPECT_EQ(ReadFileBytes(options.output.path),
            "\"a.script\";\"one\"\r\n\"c.script\";\"four\"\r\n");
  EXPECT_EQ(p.skipped, std::vector<std::string>{p.project.Join("b.script")});
}

TEST(FileFaultsTest, AScriptThatFailsHalfWayIsCountedButNotMeasured) {
  ProjectWithAFailingScript p;
  StatisticsOptions options;
  options.project_folder = p.project.Path();
  ProjectStatistics statistics;
  Progress progress;
  EXPECT_EQ(
      RunProjectStatistics(options, statistics, progress, p.feedback, [] { return DateTime{}; }),
      CommandOutcome::kCompleted);
  EXPECT_EQ(statistics.ScriptCount, 3);
  EXPECT_EQ(statistics.ScriptLineCount, 2);
  EXPECT_EQ(statistics.DialogueLineCount, 2);
  EXPECT_EQ(statistics.AudioLineCount, 1);
  EXPECT_EQ(p.skipped, std::vector<std::string>{p.project.Join("b.script")});
}

}  // namespace
}  // namespace dwelvane

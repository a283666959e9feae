#include "runtime/file_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "dialogue/create_csv_table.h"
#include "runtime/file_replacement.h"
#include "runtime/line_reader.h"
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

// In a project of three scripts the second one fails to read: each small script takes two
// reads (its bytes, then the read of nothing that ends it), so the third read fails. Neither
// command counts a line of it, both name it.
TEST(FileFaultsTest, AScriptThatFailsHalfWayAddsNothingAndIsNamed) {
  TempFolder project;
  project.Write("a.script", "a.Talk(\"one\");\n");
  project.Write("b.script", "b.Talk(\"two\");\nb.Talk(\"three\");\n");
  project.Write("c.script", "c.Talk(\"four\",\"four.ogg\");\n");
  std::vector<std::string> skipped;
  CommandFeedback feedback;
  feedback.note_skipped = [&](const IoError& entry) { skipped.push_back(entry.path); };
  DialogueOptions options;
  options.project_folder = project.Path();
  options.columns = {.script_location = false,
                     .script_line = false,
                     .speaker = false,
                     .reference = false,
                     .audio_file = false};
  options.output = OutputTarget::File(project.Join("Dialogue_List.csv"));
  StatisticsOptions statistics_options;
  statistics_options.project_folder = project.Path();
  DialogueTable table;
  ProjectStatistics statistics;
  Progress progress;
  {
    const ScopedFileFaults faults{FailNth(FileCall::kRead, 3, EIO)};
    EXPECT_EQ(CreateCsvTable(options, table, progress, feedback).result, CommandResult::kCompleted);
  }
  {
    const ScopedFileFaults faults{FailNth(FileCall::kRead, 3, EIO)};
    EXPECT_EQ(RunProjectStatistics(statistics_options, statistics, progress, feedback,
                                   [] { return DateTime{}; })
                  .result,
              CommandResult::kCompleted);
  }
  EXPECT_EQ(ReadFileBytes(options.output.path),
            "\"a.script\";\"one\"\r\n\"c.script\";\"four\"\r\n");
  EXPECT_EQ(statistics.ScriptCount, 3);
  EXPECT_EQ(statistics.ScriptLineCount, 2);
  EXPECT_EQ(statistics.DialogueLineCount, 2);
  EXPECT_EQ(statistics.AudioLineCount, 1);
  EXPECT_EQ(skipped, std::vector<std::string>(2, project.Join("b.script")));
}

// An output that fails anywhere leaves the old file and no temporary one, and reaches the
// user with the file it hit and the system's reason.
TEST(FileFaultsTest, AFailedOutputKeepsTheOldFileAndSaysWhichAndWhy) {
  struct Case {
    FileCall call;
    int error;
    const char* message;  // after the path; the system's words differ on Windows
  };
  const Case cases[] = {
      {FileCall::kOpen, EACCES, "cannot write 'PATH': Permission denied"},
      {FileCall::kWrite, ENOSPC, "cannot write 'PATH': No space left on device"},
      {FileCall::kClose, EIO, "cannot write 'PATH': Input/output error"},
      {FileCall::kRename, EACCES, "cannot replace 'PATH': Permission denied"},
  };
  for (const Case& c : cases) {
    TempFolder project;
    project.Write("a.script", "a.Talk(\"one\");\n");
    const std::string output = project.Write("Dialogue_List.csv", "old\r\n");
    DialogueOptions options;
    options.project_folder = project.Path();
    options.output = OutputTarget::File(output);
    DialogueTable table;
    Progress progress;
    CommandOutcome outcome;
    {
      // Armed by the output's open, the first call made after the script is read.
      bool armed = false;
      const ScopedFileFaults faults([&](const FileCallInfo& info) {
        armed = armed || (info.call == FileCall::kOpen && !info.path.ends_with("a.script"));
        const bool fails = armed && info.call == c.call;
        armed = armed && !fails;
        return fails ? c.error : 0;
      });
      outcome = CreateCsvTable(options, table, progress, CommandFeedback{});
    }
    EXPECT_EQ(outcome.result, CommandResult::kOutputFailed) << c.message;
    EXPECT_EQ(ReadFileBytes(output), "old\r\n") << c.message;
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(project.Path())) {
      left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Dialogue_List.csv", "a.script"})) << c.message;
    std::string expected = c.message;
    expected.replace(expected.find("PATH"), 4, output);
#ifdef _WIN32
    expected.resize(expected.find("': ") + 3);
    EXPECT_EQ(DescribeFailure(outcome.error).rfind(expected, 0), 0u) << expected;
    EXPECT_GT(DescribeFailure(outcome.error).size(), expected.size());
#else
    EXPECT_EQ(DescribeFailure(outcome.error), expected);
#endif
  }
}

TEST(FileFaultsTest, AFailedReadIsNoEndOfTheFileAndSaysWhy) {
  TempFolder folder;
  const std::string path = folder.Write("a.script", "one\ntwo\n");
  LineReader reader;
  ASSERT_FALSE(reader.FileOpenRead(path).Failed());
  {
    const ScopedFileFaults faults(FailNth(FileCall::kRead, 1, EIO));
    EXPECT_EQ(reader.FileReadLine(), "");
  }
  EXPECT_TRUE(reader.FileReadError().Failed());
  EXPECT_EQ(reader.FileReadError().path, path);
#ifndef _WIN32
  EXPECT_EQ(DescribeFailure(reader.FileReadError()),
            "cannot read '" + path + "': Input/output error");
#endif
  const ScopedFileFaults whole_file_faults(FailNth(FileCall::kRead, 2, EIO));
  std::string contents;
  EXPECT_TRUE(ReadWholeFile(path, contents).Failed()) << "after a first read that took all";
}

// A network or FUSE file system may deliver a file in reads shorter than asked for: only a
// read of nothing is its end. (The statistics read through the same reader.)
TEST(FileFaultsTest, ShortReadsCutNoFile) {
  TempFolder project;
  const std::string script =
      "a.Talk(\"first line, longer than a read\");\r\n\r\nb.TalkAsync(\"/id/x\", \"x.ogg\");\n";
  project.Write("a.script", script);
  DialogueOptions options;
  options.project_folder = project.Path();
  options.output = OutputTarget::File(project.Join("Dialogue_List.csv"));
  const auto run_both = [&] {
    DialogueTable table;
    Progress progress;
    EXPECT_EQ(CreateCsvTable(options, table, progress, CommandFeedback{}).result,
              CommandResult::kCompleted);
    return ReadFileBytes(options.output.path);
  };
  const std::string whole = run_both();
  for (const std::size_t most : {1u, 2u, 7u, 64u}) {
    const platform::ScopedShortReads short_reads(most);
    EXPECT_EQ(run_both(), whole) << most;
    std::string contents;
    EXPECT_FALSE(ReadWholeFile(project.Join("a.script"), contents).Failed());
    EXPECT_EQ(contents, script) << most;
  }
}

}  // namespace
}  // namespace dwelvane

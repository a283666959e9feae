#include "runtime/temporary_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/file_replacement.h"
#include "runtime/replacement_batch.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A child process begins a new version of the file, writes part of it and is ended by
// `signal` half-way, as Ctrl-C, kill or a closed terminal end the program.
TEST(TemporaryFilesTest, ASignalDuringAWriteLeavesTheOldFileAndNoTemporaryOne) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    TempFolder folder;
    const std::string target = folder.Write("Dialogue_List.csv", "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RemoveTemporaryFilesOnSignals();
      FileReplacement replacement;
      if (replacement.Begin(target).Failed() ||
          platform::WriteToFile(replacement.Handle(), "half", 4).Failed()) {
        ::_exit(3);
      }
      ::kill(::getpid(), signal);
      ::_exit(4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << signal << ": exit " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"Dialogue_List.csv"}) << signal;
    EXPECT_EQ(ReadFileBytes(target), "old");
  }
}

void MakeOld(const std::string& path) {
  const timeval old_times[2] = {{std::time(nullptr) - kStaleAfterSeconds - 60, 0},
                                {std::time(nullptr) - kStaleAfterSeconds - 60, 0}};
  ASSERT_EQ(::lutimes(path.c_str(), old_times), 0) << path;
}

// A write of one file sweeps its own stale temporary files; a batch of many sweeps those of
// every file of the folder at once.
TEST(TemporaryFilesTest, AWriteRemovesOnlyTheStaleTemporaryFilesOfItsTargets) {
  for (const bool batch : {false, true}) {
    TempFolder folder;
    const std::string target = folder.Write("t.csv", "old");
    struct Case {
      const char* name;
      bool old;
      bool removed;
    };
    const Case cases[] = {
        {".t.csv.dwvtmp-Ab12Cd", true, true},    // a dead writer's
        {".t.csv.dwvtmp-Xy34Zw", false, false},  // a writer's that may still run
        {".t.csv.dwvtmp-keep", true, false},     // not six letters or digits
        {"t.csv.dwvtmp-Ab12Cd", true, false},    // not hidden
        {".u.csv.dwvtmp-Ab12Cd", true, batch},   // another target's
        {".t.csv.backup", true, false},          // the user's own, named like ours but for the mark
    };
    for (const Case& c : cases) {
      const std::string path = folder.Write(c.name, "part");
      if (c.old) {
        MakeOld(path);
      }
    }
    ASSERT_EQ(::symlink("t.csv", folder.Join(".t.csv.dwvtmp-Link12").c_str()), 0);
    MakeOld(folder.Join(".t.csv.dwvtmp-Link12"));
    if (batch) {
      ReplacementBatch replacements;
      std::vector<std::string> dropped;
      ASSERT_FALSE(replacements.Add(target, "new", {}).Failed());
      ASSERT_FALSE(replacements.Commit([](const std::string&) { return true; }, dropped).Failed());
    } else {
      ASSERT_FALSE(ReplaceFileContents(target, "new").Failed());
    }
    EXPECT_EQ(ReadFileBytes(target), "new");
    for (const Case& c : cases) {
      EXPECT_EQ(testing::FileExists(folder.Join(c.name)), !c.removed) << c.name << batch;
    }
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Join(".t.csv.dwvtmp-Link12")))
        << "a link is no file of ours";
  }
}

// A file that changed after it was read keeps its new bytes; the others of the batch are
// replaced, and no temporary file stays behind either way.
TEST(TemporaryFilesTest, ABatchLeavesAFileThatChangedMeanwhileAsItIs) {
  TempFolder folder;
  const std::string kept = folder.Write("a.script", "a changed by someone");
  const std::string replaced = folder.Write("b.script", "b old");
  ReplacementBatch replacements;
  ASSERT_FALSE(replacements.Add(kept, "a new", folder.Path()).Failed());
  ASSERT_FALSE(replacements.Add(replaced, "b new", folder.Path()).Failed());
  std::vector<std::string> dropped;
  const auto still_as_read = [&](const std::string& path) { return path != kept; };
  ASSERT_FALSE(replacements.Commit(still_as_read, dropped).Failed());
  EXPECT_EQ(dropped, std::vector<std::string>{kept});
  EXPECT_EQ(ReadFileBytes(kept), "a changed by someone");
  EXPECT_EQ(ReadFileBytes(replaced), "b new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

}  // namespace
}  // namespace dwelvane

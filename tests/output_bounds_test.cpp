#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "runtime/file_replacement.h"
#include "runtime/line_writer.h"
#include "runtime/project_bounds.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

// Writes "new" to `path` as an output the program placed in `project` on its own.
IoError WriteInProject(const std::string& project, const std::string& path) {
  LineWriter writer;
  if (IoError opened = writer.Open(OutputTarget::InProject(project, path)); opened.Failed()) {
    return opened;
  }
  writer.WriteBytes("new");
  return writer.FileClose();
}

TEST(OutputBoundsTest, AnOutputInTheProjectNeverLeavesIt) {
  TempFolder folder;
  const std::string project = folder.Join("p");
  const std::string victim = folder.Write("victim", "mine");
  folder.Write("p/inside.txt", "mine too");
  folder.MakeFolder("elsewhere");
  folder.MakeFolder("p/sub");
  ASSERT_EQ(::symlink("../victim", folder.Join("p/to_victim").c_str()), 0);
  ASSERT_EQ(::symlink("inside.txt", folder.Join("p/to_inside").c_str()), 0);
  ASSERT_EQ(::symlink("../victim_to_be", folder.Join("p/dangling").c_str()), 0);
  ASSERT_EQ(::symlink("../elsewhere", folder.Join("p/out").c_str()), 0);
  ASSERT_EQ(::symlink("sub", folder.Join("p/alias").c_str()), 0);
  struct Case {
    const char* name;
    int code;
  };
  const Case cases[] = {
      {"p/to_victim", kOutputIsALink},
      {"p/to_inside", kOutputIsALink},
      {"p/dangling", kOutputIsALink},
      {"p/out/table.csv", kLeadsOutOfTheProject},
      {"p/alias/table.csv", 0},
      {"p/fresh.csv", 0},
      {"p/inside.txt", 0},
  };
  for (const Case& c : cases) {
    const IoError error = WriteInProject(project + "/", folder.Join(c.name));
    EXPECT_EQ(error.code, c.code) << c.name;
    if (c.code != 0) {
      EXPECT_EQ(error.path, folder.Join(c.name));
    }
  }
  EXPECT_EQ(ReadFileBytes(victim), "mine");
  EXPECT_FALSE(testing::FileExists(folder.Join("victim_to_be")));
  EXPECT_FALSE(testing::FileExists(folder.Join("elsewhere/table.csv")));
  EXPECT_EQ(ReadFileBytes(folder.Join("p/sub/table.csv")), "new");
  EXPECT_EQ(ReadFileBytes(folder.Join("p/inside.txt")), "new");
}

TEST(OutputBoundsTest, NoOutputReplacesAWriteProtectedFile) {
  TempFolder folder;
  const std::string locked = folder.Write("locked.txt", "kept");
  ASSERT_EQ(::symlink("locked.txt", folder.Join("named").c_str()), 0);
  ::chmod(locked.c_str(), 0444);
  for (const std::string& path : {locked, folder.Join("named")}) {
    const IoError replaced = ReplaceFileContents(path, "new");
    EXPECT_EQ(replaced.code, kReadOnly) << path;
    EXPECT_EQ(replaced.Describe(), "File is read-only");
  }
  EXPECT_EQ(WriteInProject(folder.Path(), locked).code, kReadOnly);
  EXPECT_EQ(ReadFileBytes(locked), "kept");
}

TEST(OutputBoundsTest, TellsWhetherAPathLiesWithinAFolder) {
  struct Case {
    const char* path;
    const char* folder;
    bool within;
  };
  const Case cases[] = {
      {"/a/b", "/a/b", true}, {"/a/b/c", "/a/b", true}, {"/a/bc", "/a/b", false},
      {"/a", "/a/b", false},  {"/a/b", "/", true},      {"", "/a", false},
      {"/a", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LiesWithin(c.path, c.folder), c.within) << c.path << " in " << c.folder;
  }
}

}  // namespace
}  // namespace dwelvane

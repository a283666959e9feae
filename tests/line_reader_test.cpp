#include "runtime/line_reader.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "runtime/line_writer.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using Lines = std::vector<std::string>;

TEST(LineReaderTest, SplitsAtEveryKindOfLineEnd) {
  const std::pair<std::string, Lines> cases[] = {
      {"one\r\ntwo\nthree\rfour", {"one", "two", "three", "four"}},
      {"one\n\rtwo", {"one", "", "two"}},
      {"last\r", {"last"}},
      {"", {}},
      {"\r\n\r\n", {"", ""}},
      {std::string("a\0b\0", 4), {"a", "b"}},
      {"\r\r\n\n", {"", "", ""}},
      {"tab\tstays\x0B\x0C", {"tab\tstays\x0B\x0C"}},
      {"a line longer than the buffer\nx", {"a line longer than the buffer", "x"}},
  };
  TempFolder folder;
  // Small chunks put every line end, and every CR LF pair, across a buffer boundary.
  for (const std::size_t chunk : {std::size_t{16}, std::size_t{17}, std::size_t{65536}}) {
    for (const auto& [bytes, lines] : cases) {
      LineReader reader(chunk);
      ASSERT_FALSE(reader.FileOpenRead(folder.Write("lines.txt", bytes)).Failed());
      Lines read;
      while (!reader.FileAtEnd()) {
        read.emplace_back(reader.FileReadLine());
      }
      EXPECT_EQ(read, lines) << "chunk " << chunk;
      EXPECT_EQ(reader.FileReadLine(), "") << "reading at the end gives the empty text";
    }
  }
}

TEST(LineReaderTest, RefusesWhatIsNoReadableRegularFile) {
  TempFolder folder;
  folder.MakeFolder("sub");
  LineReader reader;
  EXPECT_TRUE(reader.FileOpenRead(folder.Join("missing.script")).Failed());
  EXPECT_TRUE(reader.FileOpenRead(folder.Join("sub")).Failed());
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(folder.Join("pipe.script").c_str(), 0600), 0);
  EXPECT_TRUE(reader.FileOpenRead(folder.Join("pipe.script")).Failed()) << "a FIFO must not block";
#endif
  EXPECT_TRUE(reader.FileAtEnd());
  EXPECT_FALSE(FileIsReadable(folder.Join("missing.script")));
}

Lines FolderEntries(const std::string& folder) {
  Lines names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(LineWriterTest, WritesCrLfLinesAndReplacesAFileOnlyWhenTheNewOneIsComplete) {
  TempFolder folder;
  const std::string path = folder.Write("out.csv", "old\r\n");
  {
    LineWriter writer;
    ASSERT_FALSE(writer.FileCreate(path).Failed());
    writer.FileWriteLine("new");
    EXPECT_EQ(ReadFileBytes(path), "old\r\n") << "until the writer closes";
  }
  EXPECT_EQ(ReadFileBytes(path), "old\r\n") << "a writer dropped unclosed changes nothing";
  EXPECT_EQ(ReadFileBytes(path), "old\r\n");
  EXPECT_EQ(FolderEntries(folder.Path()), Lines{"out.csv"}) << "no temporary file is left";
  LineWriter writer;
  ASSERT_FALSE(writer.FileCreate(path).Failed());
  writer.FileWriteLine("");
  writer.FileWriteLine("a;b");
  EXPECT_FALSE(writer.FileClose().Failed());
  EXPECT_EQ(ReadFileBytes(path), "\r\na;b\r\n");
  EXPECT_TRUE(writer.FileCreate(folder.Join("missing/out.csv")).Failed());
  EXPECT_TRUE(writer.FileCreate(folder.Path()).Failed());
#ifdef _WIN32
  // As a spreadsheet holds the table it shows: nobody may write, rename or delete it.
  const HANDLE held =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ASSERT_FALSE(writer.FileCreate(path).Failed());
  writer.FileWriteLine("new");
  EXPECT_TRUE(writer.FileClose().Failed());
  CloseHandle(held);
  EXPECT_EQ(ReadFileBytes(path), "\r\na;b\r\n");
  EXPECT_EQ(FolderEntries(folder.Path()), Lines{"out.csv"});
#else
  ASSERT_FALSE(writer.FileCreate("/dev/full").Failed());
  writer.FileWriteLine("lost");
  EXPECT_TRUE(writer.FileClose().Failed()) << "a full disk is no success";
#endif
}

#ifndef _WIN32
TEST(LineWriterTest, KeepsTheModeOfAReplacedFileTheTargetOfALinkAndADevice) {
  TempFolder folder;
  const mode_t old_mask = ::umask(027);
  const auto write = [](const std::string& path) {
    LineWriter writer;
    EXPECT_FALSE(writer.FileCreate(path).Failed()) << path;
    writer.FileWriteLine("new");
    EXPECT_FALSE(writer.FileClose().Failed()) << path;
  };
  const auto mode_of = [](const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status.st_mode;
  };
  const std::string kept = folder.Write("kept.csv", "old");
  ASSERT_EQ(::chmod(kept.c_str(), 0604), 0);
  write(kept);
  EXPECT_EQ(mode_of(kept) & 07777, 0604u);
  write(folder.Join("new.csv"));
  EXPECT_EQ(mode_of(folder.Join("new.csv")) & 07777, 0640u) << "as any new file under umask 027";
  const std::string target = folder.Write("real.csv", "old");
  ASSERT_EQ(::symlink(target.c_str(), folder.Join("link.csv").c_str()), 0);
  write(folder.Join("link.csv"));
  EXPECT_TRUE(S_ISLNK(mode_of(folder.Join("link.csv")))) << "the link stays a link";
  EXPECT_EQ(ReadFileBytes(target), "new\r\n");
  write("/dev/null");
  EXPECT_TRUE(S_ISCHR(mode_of("/dev/null"))) << "a device is written, never replaced";
  ::umask(old_mask);
}
#endif

}  // namespace
}  // namespace dwelvane

#include "runtime/line_reader.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "runtime/file_faults.h"
#include "runtime/line_writer.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

std::vector<std::string> ReadAllLines(const std::string& path, std::size_t chunk_size) {
  LineReader reader(chunk_size);
  std::vector<std::string> lines;
  if (reader.FileOpenRead(path).Failed()) {
    return {"<cannot open>"};
  }
  while (!reader.FileAtEnd()) {
    lines.emplace_back(reader.FileReadLine());
  }
  EXPECT_EQ(reader.FileReadLine(), "") << "reading at the end gives the empty text";
  return lines;
}

TEST(LineReaderTest, SplitsAtEveryKindOfLineEnd) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string bytes;
    Lines lines;
  };
  const Case cases[] = {
      {"one\r\ntwo\nthree\rfour", {"one", "two", "three", "four"}},
      {"one\n\rtwo", {"one", "", "two"}},
      {"last\r", {"last"}},
      {"last\n", {"last"}},
      {"", {}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {std::string("a\0b\0", 4), {"a", "b"}},
      {"\r\r\n\n", {"", "", ""}},
      {"tab\tstays\x0B\x0C", {"tab\tstays\x0B\x0C"}},
  };
  TempFolder folder;
  // Small chunks put every line end, and every CR LF pair, across a buffer boundary.
  for (const std::size_t chunk : {std::size_t{16}, std::size_t{17}, std::size_t{65536}}) {
    for (const Case& c : cases) {
      const std::string path = folder.Write("lines.txt", c.bytes);
      EXPECT_EQ(ReadAllLines(path, chunk), c.lines) << "chunk " << chunk;
    }
  }
}

const char* FindAb(const char* begin, const char* end) {
  const std::string_view text(begin, static_cast<std::size_t>(end - begin));
  const std::size_t found = text.find("ab");
  return found == std::string_view::npos ? end : begin + found;
}

using NumberedLines = std::vector<std::pair<std::int64_t, std::string>>;

NumberedLines LinesWithAbOneByOne(const std::string& path) {
  LineReader reader;
  NumberedLines found;
  EXPECT_FALSE(reader.FileOpenRead(path).Failed());
  for (std::int64_t number = 1; !reader.FileAtEnd(); ++number) {
    const std::string_view line = reader.FileReadLine();
    if (line.find("ab") != std::string_view::npos) {
      found.emplace_back(number, line);
    }
  }
  return found;
}

NumberedLines LinesWithAbPassingOthers(const std::string& path, std::size_t chunk) {
  LineReader reader(chunk);
  NumberedLines found;
  EXPECT_FALSE(reader.FileOpenRead(path).Failed());
  std::int64_t number = 0;
  for (std::string_view line; !(line = reader.FileReadLineWhere(FindAb, number)).empty();) {
    found.emplace_back(++number, line);
  }
  EXPECT_TRUE(reader.FileAtEnd());
  return found;
}

TEST(LineReaderTest, PassingOverLinesKeepsTheLineNumbersOfReadingThemAll) {
  TempFolder folder;
  std::mt19937 random(20261207);
  // The second alphabet makes lines longer than the small buffers, which are passed in
  // pieces until "ab" turns up in them.
  const std::string alphabets[] = {std::string("ab\r\n\0x", 6), "abxxxxxxxxxxxxxxxxxxxxxx\n"};
  for (int round = 0; round < 800; ++round) {
    const std::string& alphabet = alphabets[round % 2];
    std::string bytes(random() % 240, ' ');
    for (char& byte : bytes) {
      byte = alphabet[random() % alphabet.size()];
    }
    const std::string path = folder.Write("random.txt", bytes);
    const NumberedLines expected = LinesWithAbOneByOne(path);
    for (const std::size_t chunk : {std::size_t{16}, std::size_t{17}, std::size_t{4096}}) {
      ASSERT_EQ(LinesWithAbPassingOthers(path, chunk), expected)
          << "round " << round << ", chunk " << chunk;
    }
  }
}

TEST(LineReaderTest, ReadsAFiftyMegabyteLineWhole) {
  TempFolder folder;
  const std::string huge(50u << 20, 'a');
  const std::string path = folder.Write("huge.script", "first\n" + huge + "\nlast");
  const auto lines = ReadAllLines(path, 64 * 1024);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].size(), huge.size());
  EXPECT_EQ(lines[2], "last");
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

TEST(LineWriterTest, WritesCrLfAfterEveryLineAndEmptiesAnExistingFile) {
  TempFolder folder;
  const std::string path = folder.Write("out.csv", "old content that is longer");
  LineWriter writer;
  ASSERT_FALSE(writer.FileCreate(path).Failed());
  writer.FileWriteLine("");
  writer.FileWriteLine("a;b");
  EXPECT_FALSE(writer.FileClose().Failed());
  EXPECT_EQ(testing::ReadFileBytes(path), "\r\na;b\r\n");
}

TEST(LineWriterTest, ReportsWhatCannotBeWritten) {
  TempFolder folder;
  LineWriter writer;
  EXPECT_TRUE(writer.FileCreate(folder.Join("missing/out.csv")).Failed());
  EXPECT_TRUE(writer.FileCreate(folder.Path()).Failed());
#ifndef _WIN32
  ASSERT_FALSE(writer.FileCreate("/dev/full").Failed());
  writer.FileWriteLine("lost");
  EXPECT_TRUE(writer.FileClose().Failed()) << "a full disk is no success";
#endif
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(LineWriterTest, ReplacesAFileOnlyWhenTheNewOneIsComplete) {
  TempFolder folder;
  const std::string path = folder.Write("out.csv", "old\r\n");
  {
    LineWriter writer;
    ASSERT_FALSE(writer.FileCreate(path).Failed());
    writer.FileWriteLine("new");
    EXPECT_EQ(testing::ReadFileBytes(path), "old\r\n") << "until the writer closes";
  }
  EXPECT_EQ(testing::ReadFileBytes(path), "old\r\n") << "a writer dropped unclosed changes nothing";
  {
    const platform::ScopedFileFaults full_disk([](const platform::FileCallInfo& call) {
      return call.call == platform::FileCall::kWrite ? ENOSPC : 0;
    });
    LineWriter writer;
    ASSERT_FALSE(writer.FileCreate(path).Failed());
    writer.FileWriteLine("new");
    EXPECT_TRUE(writer.FileClose().Failed());
  }
  EXPECT_EQ(testing::ReadFileBytes(path), "old\r\n");
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"out.csv"})
      << "no temporary file is left";
}

#ifdef _WIN32
TEST(LineWriterTest, AFileHeldOpenByAnotherProgramFailsCleanly) {
  TempFolder folder;
  const std::string path = folder.Write("out.csv", "old\r\n");
  // As a spreadsheet holds the table it shows: nobody may write, rename or delete it.
  const HANDLE held =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  LineWriter writer;
  ASSERT_FALSE(writer.FileCreate(path).Failed());
  writer.FileWriteLine("new");
  EXPECT_TRUE(writer.FileClose().Failed());
  CloseHandle(held);
  EXPECT_EQ(testing::ReadFileBytes(path), "old\r\n");
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"out.csv"});
}
#else
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
  EXPECT_EQ(testing::ReadFileBytes(target), "new\r\n");
  write("/dev/null");
  EXPECT_TRUE(S_ISCHR(mode_of("/dev/null"))) << "a device is written, never replaced";
  ::umask(old_mask);
}
#endif

}  // namespace
}  // namespace dwelvane

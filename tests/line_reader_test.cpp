#include "runtime/line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "runtime/line_writer.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

std::vector<std::string> ReadAllLines(const std::string& path, std::size_t chunk_size) {
  LineReader reader(chunk_size);
  std::vector<std::string> lines;
  if (!reader.FileOpenRead(path)) {
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

TEST(LineReaderTest, DeliversCrLfSplitAcrossEveryBufferBoundary) {
  TempFolder folder;
  for (std::size_t prefix = 1; prefix < 40; ++prefix) {
    const std::string first(prefix, 'x');
    const std::string path = folder.Write("split.txt", first + "\r\nsecond\r\n");
    EXPECT_EQ(ReadAllLines(path, 16), (std::vector<std::string>{first, "second"})) << prefix;
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
  ASSERT_EQ(::mkfifo(folder.Join("pipe.script").c_str(), 0600), 0);
  LineReader reader;
  EXPECT_FALSE(reader.FileOpenRead(folder.Join("missing.script")));
  EXPECT_FALSE(reader.FileOpenRead(folder.Join("sub")));
  EXPECT_FALSE(reader.FileOpenRead(folder.Join("pipe.script"))) << "a FIFO must not block";
  EXPECT_TRUE(reader.FileAtEnd());
  EXPECT_FALSE(FileIsReadable(folder.Join("missing.script")));
}

TEST(LineReaderTest, AFailedOpenKeepsTheOpenFile) {
  TempFolder folder;
  LineReader reader;
  ASSERT_TRUE(reader.FileOpenRead(folder.Write("a.txt", "one\ntwo\n")));
  EXPECT_EQ(reader.FileReadLine(), "one");
  EXPECT_FALSE(reader.FileOpenRead(folder.Join("missing.txt")));
  EXPECT_EQ(reader.FileReadLine(), "two");
}

TEST(LineWriterTest, WritesCrLfAfterEveryLineAndEmptiesAnExistingFile) {
  TempFolder folder;
  const std::string path = folder.Write("out.csv", "old content that is longer");
  LineWriter writer;
  ASSERT_TRUE(writer.FileCreate(path));
  writer.FileWriteLine("");
  writer.FileWriteLine("a;b");
  EXPECT_TRUE(writer.FileClose());
  EXPECT_EQ(testing::ReadFileBytes(path), "\r\na;b\r\n");
}

TEST(LineWriterTest, ReportsWhatCannotBeWritten) {
  TempFolder folder;
  LineWriter writer;
  EXPECT_FALSE(writer.FileCreate(folder.Join("missing/out.csv")));
  EXPECT_FALSE(writer.FileCreate(folder.Path()));
  ASSERT_TRUE(writer.FileCreate("/dev/full"));
  writer.FileWriteLine("lost");
  EXPECT_FALSE(writer.FileClose()) << "a full disk is no success";
}

}  // namespace
}  // namespace dwelvane

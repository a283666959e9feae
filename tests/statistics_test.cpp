#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/line_reader.h"
#include "statistics/file_classification.h"
#include "statistics/project_scan.h"
#include "statistics/script_metrics.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

TEST(FileClassificationTest, LooksAtTheEndOfTheNameInAnyCase) {
  struct Case {
    std::string_view name;
    ProjectFileKind kind;
  };
  const Case cases[] = {
      {"Intro.SCRIPT", ProjectFileKind::kScript}, {"base.Inc", ProjectFileKind::kScript},
      {"Game.WPR", ProjectFileKind::kProject},    {"photo.jpeg", ProjectFileKind::kOther},
      {".png", ProjectFileKind::kImage},          {"dialog.ogg.txt", ProjectFileKind::kOther},
      {"x.wav", ProjectFileKind::kSound},         {"hero.act3d", ProjectFileKind::kActor3D},
      {"hero.actor", ProjectFileKind::kActor2D},  {"room.scene", ProjectFileKind::kScene},
      {"gull.sprite", ProjectFileKind::kSprite},  {"inv.items", ProjectFileKind::kItems},
      {"png", ProjectFileKind::kOther},           {"intro.script.bak", ProjectFileKind::kOther},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyProjectFile(c.name), c.kind) << c.name;
  }
}

// A file as a walk hands it on, for the measures that take one.
struct FileAt {
  explicit FileAt(std::string at) : path(std::move(at)) {}
  operator WalkedFile() const { return {path, path, path}; }
  std::string path;
};

ProjectStatistics Measure(const TempFolder& folder, std::string_view bytes,
                          std::size_t chunk = 64 * 1024) {
  ProjectStatistics statistics;
  LineReader reader(chunk);
  static_cast<void>(
      MeasureScript(FileAt(folder.Write("measured.script", bytes)), statistics, reader));
  return statistics;
}

TEST(ScriptMetricsTest, CountsLinesCharactersDialogueAndAudio) {
  struct Case {
    std::string_view bytes;
    std::int64_t lines, chars, dialogue, audio;
  };
  const Case cases[] = {
      {"actor.Talk(\"Hello\",\"hello.ogg\");", 1, 32, 1, 1},
      {"actor.Talk(\"Hello\", \"hello.ogg\");", 1, 32, 1, 0},
      {"actor.TalkAsync(\"Hi\",\"hi.ogg\");", 1, 31, 1, 1},
      {"actor.talk(\"Hi\");", 1, 17, 0, 0},
      {"// actor.Talk(\"old\");", 1, 20, 1, 0},
      {"a.Talk(", 1, 7, 1, 0},
      {"  x = 1;", 1, 4, 0, 0},
      {"\tx = 1;", 1, 5, 0, 0},
      {"", 0, 0, 0, 0},
      {"one\r\ntwo\r\n", 2, 6, 0, 0},
      {"one\n\rtwo", 3, 6, 0, 0},
      {std::string_view("a\0b\0", 4), 2, 2, 0, 0},
      {"g.TalkAsync(\"a\"); g.Talk(\"b\",\"c\");", 1, 33, 1, 1},
      // Longer than the measure's 32-byte blocks and the small reader's buffer.
      {"  a  b  c  d  e  f  g  h  i  j  k  l  m  n  o  p  q.Talk(\"r\",\"s\");\r\n", 1, 32, 1, 1},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    for (const std::size_t chunk : {std::size_t{16}, std::size_t{64 * 1024}}) {
      const ProjectStatistics s = Measure(folder, c.bytes, chunk);
      EXPECT_EQ(s.ScriptLineCount, c.lines) << c.bytes;
      EXPECT_EQ(s.ScriptCharCount, c.chars) << c.bytes;
      EXPECT_EQ(s.DialogueLineCount, c.dialogue) << c.bytes;
      EXPECT_EQ(s.AudioLineCount, c.audio) << c.bytes;
    }
  }
}

TEST(ScriptMetricsTest, CountsLinesThatHoldItemInCapitals) {
  TempFolder folder;
  ProjectStatistics statistics;
  LineReader reader;
  EXPECT_FALSE(
      CountInventoryItems(
          FileAt(folder.Write("a.items",
                              "ITEM\r\n{\r\n  CAPTION = \"ITEMS\"\r\n}\r\nITEM ITEM\r\nitem\r\n"
                              "ITEM\r\n{ NAME = \"x\" }\r\nITE\r\nM")),
          statistics, reader)
          .Failed());
  EXPECT_EQ(statistics.InventoryItemCount, 4);
  EXPECT_TRUE(MeasureScript(FileAt(folder.Join("missing.script")), statistics, reader).Failed());
  EXPECT_TRUE(
      CountInventoryItems(FileAt(folder.Join("missing.items")), statistics, reader).Failed());
  EXPECT_EQ(statistics.ScriptLineCount, 0);
  EXPECT_EQ(statistics.InventoryItemCount, 4);
}

struct ScanResult {
  ProjectStatistics statistics;
  std::vector<int> positions;
  int drains = 0;
};

ScanResult ScanProject(const std::string& folder) {
  ScanResult result;
  Progress progress;
  CommandFeedback feedback;
  feedback.show_progress = [&](int position) { result.positions.push_back(position); };
  feedback.yield = [&] { ++result.drains; };
  ScanProjectFolder(folder, {}, result.statistics, progress, feedback);
  return result;
}

TEST(ProjectScanTest, ClassifiesEveryFileAndMovesTheBarPerFile) {
  TempFolder folder;
  folder.Write("A.wpr", "");
  folder.Write("b/Game.WPR", "");
  folder.Write("sounds.wav/voice.OGG", "");
  folder.Write("scripts/a.script", "g.Talk(\"x\",\"y\");\r\n\r\n");
  folder.Write("scripts/b.inc", "  a = 1;");
  folder.Write("inv.items", "ITEM\nITEM\n");
  folder.Write("readme.txt", "g.Talk(\"not a script\");");
  folder.Write("z.png", "");
  const ScanResult result = ScanProject(folder.Path());
  const ProjectStatistics& s = result.statistics;
  EXPECT_EQ(s.ProjectName, "Game") << "the last .wpr in walk order names the project";
  EXPECT_EQ(s.SoundFileCount, 1);
  EXPECT_EQ(s.ScriptCount, 2);
  EXPECT_EQ(s.ScriptLineCount, 3);
  EXPECT_EQ(s.ScriptCharCount, 16 + 4);
  EXPECT_EQ(s.DialogueLineCount, 1);
  EXPECT_EQ(s.AudioLineCount, 1);
  EXPECT_EQ(s.ItemFileCount, 1);
  EXPECT_EQ(s.InventoryItemCount, 2);
  EXPECT_EQ(s.ImageCount, 1);
  EXPECT_EQ(result.positions, (std::vector<int>{125, 250, 375, 500, 625, 750, 875, 1000}));
  EXPECT_EQ(result.drains, 6);
  const ScanResult again = ScanProject(folder.Path() + "/");
  EXPECT_EQ(again.statistics.ScriptCharCount, s.ScriptCharCount);
  EXPECT_EQ(again.positions, result.positions);
  folder.MakeFolder("empty/inner");
  for (const std::string& path : {folder.Join("empty"), folder.Join("missing")}) {
    const ScanResult nothing = ScanProject(path);
    EXPECT_TRUE(nothing.positions.empty());
    EXPECT_EQ(nothing.statistics.ProjectName, "");
    EXPECT_EQ(nothing.statistics.ScriptCount, 0);
  }
}

}  // namespace
}  // namespace dwelvane

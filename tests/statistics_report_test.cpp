#include <gtest/gtest.h>

#include "runtime/date_time.h"
#include "statistics/run_project_statistics.h"
#include "statistics/statistics_report.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

const ReportClock kFixedClock = [] { return DateTime{2009, 2, 5, 9, 5, 3}; };

ProjectStatistics SampleStatistics() {
  ProjectStatistics s;
  s.ProjectName = "Demo";
  s.SceneCount = 3;
  s.InventoryItemCount = 7;
  s.ItemFileCount = 2;
  s.SpriteCount = 4;
  s.ImageCount = 5;
  s.Actor2DCount = 6;
  s.Actor3DCount = 1;
  s.SoundFileCount = 9;
  s.DialogueLineCount = 10;
  s.AudioLineCount = 4;
  s.ScriptCount = 12;
  s.ScriptLineCount = 345;
  s.ScriptCharCount = 6789;
  return s;
}

TEST(StatisticsReportTest, RoundsThePercentageThroughAFloatHalfToEven) {
  struct Case {
    std::int64_t audio, dialogue, percent;
  };
  const Case cases[] = {{1, 8, 12}, {3, 8, 38}, {2, 3, 67}, {109, 200, 54}, {0, 0, 0}};
  for (const Case& c : cases) {
    ProjectStatistics s;
    s.AudioLineCount = c.audio;
    s.DialogueLineCount = c.dialogue;
    EXPECT_EQ(AudioPercentage(s), c.percent) << c.audio << " of " << c.dialogue;
  }
}

// The window takes UTF-8: the report's Windows-1252 texts arrive converted.
TEST(StatisticsReportTest, WritesTheGermanWindowText) {
  const std::string expected =
      "Statistik f\xC3\xBCr das WME Projekt 'Demo'\n\r"
      "erstellt am 05.02.2009 um 09:05:03.\n\r"
      "\n\r"
      "Anzahl der Szenen: 3\n\r"
      "Anzahl der Inventargegenst\xC3\xA4nde: 7 (gefunden in 2 Items-Dateien)\n\r"
      "Anzahl der Sprites: 4\n\r"
      "Anzahl der Bilder: 5\n\r"
      "Anzahl der 2D-Actors: 6\n\r"
      "Anzahl der 3D-Actors: 1\n\r"
      "Anzahl der Sounddateien: 9\n\r"
      "Anzahl der Dialogzeilen: 10 (4 haben Sprachausgabe, also 40%)\n\r"
      "\n\r"
      "Das Projekt enth\xC3\xA4lt 12 Skripte mit 345 Programmzeilen.\n\r"
      "Anzahl der Zeichen in den Skripten: 6789 (Leerzeichen nicht mitgez\xC3\xA4hlt)";
  EXPECT_EQ(StatisticsWindowText(SampleStatistics(), Language::kGerman, kFixedClock), expected);
  // The window says "item files" where the report file says "items files".
  EXPECT_EQ(StatisticsReportLines(ProjectStatistics{}, Language::kEnglish, ReportForm::kWindow,
                                  kFixedClock)[4],
            "Number of inventory items: 0 (found in 0 item files)");
}

TEST(RunProjectStatisticsTest, ShowsTheReportAndWritesTheFileOnlyWhenAsked) {
  TempFolder folder;
  folder.Write("p/Demo.wpr", "");
  folder.Write("p/a.script", "a.Talk(\"x\");\n");
  StatisticsOptions options;
  options.project_folder = folder.Join("p");
  options.report = OutputTarget::File(folder.Join("p/Project_Statistics.txt"));
  ProjectStatistics statistics;
  Progress progress;
  std::vector<Stage> stages;
  CommandFeedback feedback;
  feedback.enter_stage = [&](Stage stage) { stages.push_back(stage); };
  EXPECT_EQ(RunProjectStatistics(options, statistics, progress, feedback, kFixedClock).result,
            CommandResult::kCompleted);
  EXPECT_EQ(statistics.ProjectName, "Demo");
  EXPECT_FALSE(testing::FileExists(options.report.path));
  EXPECT_EQ(stages, (std::vector<Stage>{Stage::kScanningProject, Stage::kIdle}));

  options.write_file = true;
  EXPECT_EQ(RunProjectStatistics(options, statistics, progress, feedback, kFixedClock).result,
            CommandResult::kCompleted);
  EXPECT_TRUE(testing::ReadFileBytes(options.report.path).starts_with("Statistics for"));
  EXPECT_EQ(statistics.DialogueLineCount, 1) << "a second run starts from zero";

  options.report = OutputTarget::File(folder.Join("missing/report.txt"));
  EXPECT_EQ(RunProjectStatistics(options, statistics, progress, feedback, kFixedClock).result,
            CommandResult::kOutputFailed);
}

TEST(DateFromEpochSecondsTest, GivesTheUtcCalendarDate) {
  struct Case {
    std::int64_t seconds;
    DateTime date;
  };
  const Case cases[] = {
      {0, {1970, 1, 1, 0, 0, 0}},
      {1233824703, {2009, 2, 5, 9, 5, 3}},
      {951782400, {2000, 2, 29, 0, 0, 0}},
      {-1, {1969, 12, 31, 23, 59, 59}},
      {253402300799, {9999, 12, 31, 23, 59, 59}},
      {4107542400, {2100, 3, 1, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const DateTime d = DateFromEpochSeconds(c.seconds);
    EXPECT_EQ(DateFormat("%yyyy-%mm-%dd %hh:%ii:%ss", d),
              DateFormat("%yyyy-%mm-%dd %hh:%ii:%ss", c.date))
        << c.seconds;
  }
}

}  // namespace
}  // namespace dwelvane

#include "dialogue/create_csv_table.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace dwelvane {
namespace {

using namespace std::string_literals;
using testing::ReadFileBytes;
using testing::TempFolder;

// Records what the command shows while it runs.
struct Watcher {
  std::vector<Stage> stages;
  std::vector<int> positions;
  int drains = 0;

  CommandFeedback Feedback() {
    CommandFeedback feedback;
    feedback.enter_stage = [this](Stage stage) { stages.push_back(stage); };
    feedback.show_progress = [this](int position) { positions.push_back(position); };
    feedback.yield = [this] { ++drains; };
    return feedback;
  }
};

DialogueOptions OptionsFor(const TempFolder& project, std::string_view columns_off = "") {
  DialogueOptions options;
  options.project_folder = project.Path();
  options.output = OutputTarget::File(project.Join("Dialogue_List.csv"));
  options.string_table_path = project.Join("English/STRING.TAB");
  options.columns.script_location = columns_off != "location";
  return options;
}

std::string RunCommand(const DialogueOptions& options, Watcher* watcher = nullptr) {
  DialogueTable table;
  Progress progress;
  Watcher ignored;
  const CommandFeedback feedback = (watcher ? *watcher : ignored).Feedback();
  EXPECT_EQ(CreateCsvTable(options, table, progress, feedback).result, CommandResult::kCompleted);
  return ReadFileBytes(options.output.path);
}

TEST(CreateCsvTableTest, ScansScriptsInWalkOrderWithProgress) {
  TempFolder project;
  project.Write("b.SCRIPT", "x.Talk(\"b\");\n");
  project.Write("A/inner.Script", "\n\ny.TalkAsync(\"/id/in\",\"in.ogg\");\n");
  project.Write("A/skip.script.bak", "z.Talk(\"no\");\n");
  project.Write("A/skip.inc", "z.Talk(\"no\");\n");
  project.Write(".script", "w.Talk(\"dot\");\n");
  Watcher watcher;
  const std::string expected =
      "\"" + project.Join("") + "\";\".script\";\"1\";\"w\";\"dot\";\"\";\"\"\r\n" + "\"" +
      project.Join("A/") + "\";\"inner.Script\";\"3\";\"y\";\"in\";\"in.ogg\";\"id\"\r\n" + "\"" +
      project.Join("") + "\";\"b.SCRIPT\";\"1\";\"x\";\"b\";\"\";\"\"\r\n";
  EXPECT_EQ(RunCommand(OptionsFor(project), &watcher), expected);
  EXPECT_EQ(watcher.stages, (std::vector<Stage>{Stage::kScanningScripts, Stage::kIdle}));
  EXPECT_EQ(watcher.positions, (std::vector<int>{333, 667, 1000, 0}));
  EXPECT_EQ(watcher.drains, 2) << "one drain per subfolder in each of the two walks";
}

TEST(CreateCsvTableTest, TranslatesOnlyWhenBothColumnsAreTicked) {
  TempFolder project;
  project.Write("a.script", "g.Talk(\"/dlg_1/x\");\ng.Talk(\"plain\");\n");
  project.Write("English/STRING.TAB", "dlg_10\tTen\ndlg_1\tOne\n");
  DialogueOptions options = OptionsFor(project, "location");
  options.columns.translation = true;
  Watcher watcher;
  EXPECT_EQ(RunCommand(options, &watcher),
            "\"a.script\";\"1\";\"g\";\"x\";\"\";\"dlg_1\";\"One\"\r\n"
            "\"a.script\";\"2\";\"g\";\"plain\";\"\";\"\";\"\"\r\n");
  EXPECT_EQ(watcher.stages,
            (std::vector<Stage>{Stage::kScanningScripts, Stage::kTranslating, Stage::kIdle}));
  EXPECT_EQ(watcher.positions, (std::vector<int>{1000, 500, 1000, 0}));
  options.columns.reference = false;
  EXPECT_EQ(RunCommand(options),
            "\"a.script\";\"1\";\"g\";\"x\";\"\"\r\n"
            "\"a.script\";\"2\";\"g\";\"plain\";\"\"\r\n");
}

TEST(CreateCsvTableTest, KeepsEveryLinePastTheOldTableSize) {
  TempFolder project;
  std::string script;
  for (int i = 0; i < 6000; ++i) {
    script += "a.Talk(\"line\");\n";
  }
  project.Write("many.script", script);
  DialogueOptions options = OptionsFor(project, "location");
  const std::string csv = RunCommand(options);
  EXPECT_NE(csv.find("\"many.script\";\"6000\";"), std::string::npos);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 6000);
  project.Write("many.script", "a.Talk(\"one\");\n");
  EXPECT_EQ(RunCommand(options), "\"many.script\";\"1\";\"a\";\"one\";\"\";\"\"\r\n")
      << "a second run replaces the whole file";
}

TEST(CreateCsvTableTest, SurvivesBinaryAndBrokenFiles) {
  TempFolder project;
  project.Write("binary.script", "\0\xFF.Talk(\"a\0b\",\"c\0\r\r\n\xFE"s);
  project.Write("lone_cr.script", "a.Talk(\"1\");\rb.Talk(\"2\");\r");
#ifndef _WIN32
  ASSERT_EQ(::symlink(project.Join("gone").c_str(), project.Join("dangling.script").c_str()), 0);
  ASSERT_EQ(::mkfifo(project.Join("pipe.script").c_str(), 0600), 0);
  ASSERT_EQ(::symlink(project.Path().c_str(), project.Join("loop").c_str()), 0);
#endif
  EXPECT_EQ(RunCommand(OptionsFor(project, "location")),
            "\"binary.script\";\"2\";\"\xFF\";\"\";\"\";\"\"\r\n"
            "\"lone_cr.script\";\"1\";\"a\";\"1\";\"\";\"\"\r\n"
            "\"lone_cr.script\";\"2\";\"b\";\"2\";\"\";\"\"\r\n");
}

TEST(CreateCsvTableTest, FindsTalkCallsAroundAFiftyMegabyteLine) {
  TempFolder project;
  const std::string huge(50u << 20, 'x');
  project.Write("huge.script",
                "a.Talk(\"1\");\n" + huge + "\n" + huge + "b.Talk(\"2\");\r\n" + "c.Talk(\"3\");");
  EXPECT_EQ(RunCommand(OptionsFor(project, "location")),
            "\"huge.script\";\"1\";\"a\";\"1\";\"\";\"\"\r\n"
            "\"huge.script\";\"3\";\"" +
                huge +
                "b\";\"2\";\"\";\"\"\r\n"
                "\"huge.script\";\"4\";\"c\";\"3\";\"\";\"\"\r\n");
}

TEST(CreateCsvTableTest, AMissingProjectFolderGivesAnEmptyTable) {
  TempFolder elsewhere;
  DialogueOptions options;
  options.project_folder = elsewhere.Join("missing");
  options.output = OutputTarget::File(elsewhere.Join("out.csv"));
  EXPECT_EQ(RunCommand(options), "");
  EXPECT_TRUE(testing::FileExists(options.output.path));
}

TEST(CreateCsvTableTest, AScriptThatVanishesBeforeTheScanCountsAsDone) {
  TempFolder project;
  project.Write("a.script", "a.Talk(\"kept\");\n");
  const std::string doomed = project.Write("b.script", "b.Talk(\"gone\");\n");
  Watcher watcher;
  CommandFeedback feedback = watcher.Feedback();
  // The stage is entered between the count pass and the scan pass.
  feedback.enter_stage = [&](Stage) { std::remove(doomed.c_str()); };
  DialogueTable table;
  Progress progress;
  const DialogueOptions options = OptionsFor(project, "location");
  EXPECT_EQ(CreateCsvTable(options, table, progress, feedback).result, CommandResult::kCompleted);
  EXPECT_EQ(ReadFileBytes(options.output.path), "\"a.script\";\"1\";\"a\";\"kept\";\"\";\"\"\r\n");
  EXPECT_EQ(watcher.positions, (std::vector<int>{500, 0}));
}

TEST(CreateCsvTableTest, DoesNothingWithoutAProjectFolder) {
  TempFolder elsewhere;
  DialogueOptions options;
  options.output = OutputTarget::File(elsewhere.Join("out.csv"));
  DialogueTable table;
  Progress progress;
  Watcher watcher;
  EXPECT_EQ(CreateCsvTable(options, table, progress, watcher.Feedback()).result,
            CommandResult::kNothingToDo);
  EXPECT_FALSE(testing::FileExists(options.output.path));
  EXPECT_TRUE(watcher.stages.empty());
}

TEST(CreateCsvTableTest, ReportsAnOutputThatCannotBeCreated) {
  TempFolder project;
  project.Write("a.script", "a.Talk(\"x\");\n");
  DialogueOptions options = OptionsFor(project);
  options.output = OutputTarget::File(project.Join("no/such/folder.csv"));
  DialogueTable table;
  Progress progress;
  EXPECT_EQ(CreateCsvTable(options, table, progress, CommandFeedback{}).result,
            CommandResult::kOutputFailed);
  EXPECT_EQ(table.DialogueCount, 1u) << "the scan itself still ran";
}

}  // namespace
}  // namespace dwelvane

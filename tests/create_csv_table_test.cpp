#include "dialogue/create_csv_table.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace dwelvane {
namespace {

using namespace std::string_literals;
using testing::ReadFileBytes;
using testing::TempFolder;

// Runs the command over `project` and records what it shows while it runs.
struct TableRun {
  std::vector<Stage> stages;
  std::vector<int> positions;
  int drains = 0;
  CommandResult result;
  std::string csv;

  explicit TableRun(DialogueOptions options,
                    const std::function<void()>& between_walk_and_scan = {}) {
    CommandFeedback feedback;
    feedback.enter_stage = [&](Stage stage) {
      stages.push_back(stage);
      if (between_walk_and_scan && stages.size() == 1) {
        between_walk_and_scan();
      }
    };
    feedback.show_progress = [this](int position) { positions.push_back(position); };
    feedback.yield = [this] { ++drains; };
    DialogueTable table;
    Progress progress;
    result = CreateCsvTable(options, table, progress, feedback).result;
    csv = ReadFileBytes(options.output.path);
  }
};

DialogueOptions OptionsFor(const TempFolder& project, bool with_location = false) {
  DialogueOptions options;
  options.project_folder = project.Path();
  options.output = OutputTarget::File(project.Join("Dialogue_List.csv"));
  options.string_table_path = project.Join("English/STRING.TAB");
  options.columns.script_location = with_location;
  return options;
}

TEST(CreateCsvTableTest, ScansScriptsInWalkOrderWithProgress) {
  TempFolder project;
  project.Write("b.SCRIPT", "x.Talk(\"b\");\n");
  project.Write("A/inner.Script", "\n\ny.TalkAsync(\"/id/in\",\"in.ogg\");\n");
  project.Write("A/skip.script.bak", "z.Talk(\"no\");\n");
  project.Write("A/skip.inc", "z.Talk(\"no\");\n");
  project.Write(".script", "w.Talk(\"dot\");\n");
  const TableRun run(OptionsFor(project, true));
  EXPECT_EQ(run.csv, "\"" + project.Join("") + "\";\".script\";\"1\";\"w\";\"dot\";\"\";\"\"\r\n" +
                         "\"" + project.Join("A/") +
                         "\";\"inner.Script\";\"3\";\"y\";\"in\";\"in.ogg\";\"id\"\r\n" + "\"" +
                         project.Join("") + "\";\"b.SCRIPT\";\"1\";\"x\";\"b\";\"\";\"\"\r\n");
  EXPECT_EQ(run.stages, (std::vector<Stage>{Stage::kScanningScripts, Stage::kIdle}));
  EXPECT_EQ(run.positions, (std::vector<int>{333, 667, 1000, 0}));
  EXPECT_EQ(run.drains, 2) << "one drain per subfolder in each of the two walks";
}

TEST(CreateCsvTableTest, TranslatesOnlyWhenBothColumnsAreTicked) {
  TempFolder project;
  project.Write("a.script", "g.Talk(\"/dlg_1/x\");\ng.Talk(\"plain\");\n");
  project.Write("English/STRING.TAB", "dlg_10\tTen\ndlg_1\tOne\n");
  DialogueOptions options = OptionsFor(project);
  options.columns.translation = true;
  const TableRun run(options);
  EXPECT_EQ(run.csv,
            "\"a.script\";\"1\";\"g\";\"x\";\"\";\"dlg_1\";\"One\"\r\n"
            "\"a.script\";\"2\";\"g\";\"plain\";\"\";\"\";\"\"\r\n");
  EXPECT_EQ(run.stages,
            (std::vector<Stage>{Stage::kScanningScripts, Stage::kTranslating, Stage::kIdle}));
  EXPECT_EQ(run.positions, (std::vector<int>{1000, 500, 1000, 0}));
  options.columns.reference = false;
  EXPECT_EQ(TableRun(options).csv,
            "\"a.script\";\"1\";\"g\";\"x\";\"\"\r\n\"a.script\";\"2\";\"g\";\"plain\";\"\"\r\n");
}

TEST(CreateCsvTableTest, KeepsEveryLineOfLongScriptsAndLongLines) {
  TempFolder project;
  std::string script;
  for (int i = 0; i < 6000; ++i) {
    script += "a.Talk(\"line\");\n";
  }
  project.Write("many.script", script);
  const std::string csv = TableRun(OptionsFor(project)).csv;
  EXPECT_NE(csv.find("\"many.script\";\"6000\";"), std::string::npos);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 6000);
  const std::string huge(50u << 20, 'x');
  project.Write("many.script",
                "a.Talk(\"1\");\n" + huge + "\n" + huge + "b.Talk(\"2\");\r\n" + "c.Talk(\"3\");");
  EXPECT_EQ(TableRun(OptionsFor(project)).csv,
            "\"many.script\";\"1\";\"a\";\"1\";\"\";\"\"\r\n\"many.script\";\"3\";\"" + huge +
                "b\";\"2\";\"\";\"\"\r\n\"many.script\";\"4\";\"c\";\"3\";\"\";\"\"\r\n")
      << "a second run replaces the whole file; talk calls around 50 MiB lines are found";
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
  EXPECT_EQ(TableRun(OptionsFor(project)).csv,
            "\"binary.script\";\"2\";\"\xFF\";\"\";\"\";\"\"\r\n"
            "\"lone_cr.script\";\"1\";\"a\";\"1\";\"\";\"\"\r\n"
            "\"lone_cr.script\";\"2\";\"b\";\"2\";\"\";\"\"\r\n");
}

TEST(CreateCsvTableTest, AScriptThatVanishesBeforeTheScanIsLeftOut) {
  TempFolder project;
  project.Write("a.script", "a.Talk(\"kept\");\n");
  const std::string doomed = project.Write("b.script", "b.Talk(\"gone\");\n");
  const TableRun run(OptionsFor(project), [&] { std::remove(doomed.c_str()); });
  EXPECT_EQ(run.result, CommandResult::kCompleted);
  EXPECT_EQ(run.csv, "\"a.script\";\"1\";\"a\";\"kept\";\"\";\"\"\r\n");
  EXPECT_EQ(run.positions, (std::vector<int>{500, 0}));
}

TEST(CreateCsvTableTest, AMissingProjectFolderGivesAnEmptyTableAndNoneDoesNothing) {
  TempFolder elsewhere;
  DialogueOptions options;
  options.output = OutputTarget::File(elsewhere.Join("out.csv"));
  const TableRun nothing(options);
  EXPECT_EQ(nothing.result, CommandResult::kNothingToDo);
  EXPECT_FALSE(testing::FileExists(options.output.path));
  EXPECT_TRUE(nothing.stages.empty());
  options.project_folder = elsewhere.Join("missing");
  const TableRun empty(options);
  EXPECT_EQ(empty.result, CommandResult::kCompleted);
  EXPECT_TRUE(testing::FileExists(options.output.path));
  EXPECT_EQ(empty.csv, "");
}

}  // namespace
}  // namespace dwelvane

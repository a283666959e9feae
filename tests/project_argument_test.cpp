#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::CliRun;
using testing::RunDwelvaneCli;
using testing::TempFolder;

// Every command that takes PROJECT, with its output on standard output and the report's
// date fixed.
std::vector<std::vector<std::string>> CommandsOn(const std::string& project) {
  return {{"dialogue", "--output", "-", project},
          {"speakers", project},
          {"check", project},
          {"stats", project}};
}

const std::string kFixedDate = "SOURCE_DATE_EPOCH=1233824703";

std::size_t CountWarnings(const std::string& err) {
  std::size_t count = 0;
  for (std::size_t at = 0; (at = err.find("warning: ", at)) != std::string::npos; ++at) {
    ++count;
  }
  return count;
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A game whose project file's ending is in capitals, with a script in its data folder.
void MakeGame(const TempFolder& folder) {
  folder.Write("game/Game.WPR", "");
  folder.Write("game/intro.script", "x.Talk(\"hi\");\n");
  folder.Write("game/data/a.script", "y.Talk(\"there\");\n");
  folder.MakeFolder("game/data/deeper");
  ASSERT_EQ(::symlink("game/data", folder.Join("datalink").c_str()), 0);
}

TEST(ProjectArgumentTest, AProjectFileStandsForItsFolder) {
  TempFolder folder;
  MakeGame(folder);
  struct Case {
    std::string before;
    std::string as_folder;
    std::string as_file;
  };
  const Case cases[] = {
      {"", "game", "game/Game.WPR"},
      {"", "game/", "./game/../game/Game.WPR"},
      {"cd game &&", ".", "Game.WPR"},
  };
  for (const Case& c : cases) {
    const auto by_folder = CommandsOn(c.as_folder);
    const auto by_file = CommandsOn(c.as_file);
    for (std::size_t i = 0; i < by_folder.size(); ++i) {
      const CliRun expected = RunDwelvaneCli(folder, by_folder[i], kFixedDate, c.before);
      const CliRun run = RunDwelvaneCli(folder, by_file[i], kFixedDate, c.before);
      EXPECT_EQ(expected.exit_code, 0) << by_folder[i][0] << ": " << expected.err;
      EXPECT_EQ(run.exit_code, expected.exit_code) << by_file[i][0] << ": " << run.err;
      EXPECT_EQ(run.out, expected.out) << by_file[i][0] << " " << c.as_file;
      EXPECT_EQ(run.err, expected.err) << by_file[i][0] << " " << c.as_file;
    }
  }
  EXPECT_EQ(RunDwelvaneCli(folder, {"dialogue", "game/Game.WPR"}).exit_code, 0);
  EXPECT_TRUE(testing::FileExists(folder.Join("game/Dialogue_List.csv")))
      << "the default table lands beside the project file";
}

TEST(ProjectArgumentTest, AFolderInsideAProjectIsAUsageErrorAndNothingIsWritten) {
  TempFolder folder;
  MakeGame(folder);
  struct Case {
    std::string before;
    std::string given;
    std::string message;
  };
  const std::string game = folder.Join("game");
  const Case cases[] = {
      {"", "game/data", "'game/data' lies inside the project 'game' (game/Game.WPR)"},
      {"", "game/data/deeper/", "'game/data/deeper/' lies inside the project 'game'"},
      {"", folder.Join("game/data"), "lies inside the project 'game' (game/Game.WPR)"},
      {"", "datalink", "'datalink' lies inside the project 'game' (game/Game.WPR)"},
      {"cd game/data &&", ".",
       "'.' lies inside the project '" + game + "' (" + game + "/Game.WPR); give that folder\n"},
  };
  for (const Case& c : cases) {
    for (const std::vector<std::string>& words : CommandsOn(c.given)) {
      const CliRun run = RunDwelvaneCli(folder, words, kFixedDate, c.before);
      EXPECT_EQ(run.exit_code, 2) << words[0] << " " << c.given << ": " << run.err;
      EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
      EXPECT_EQ(run.out, "") << words[0] << " " << c.given;
    }
    EXPECT_EQ(RunDwelvaneCli(folder, {"dialogue", c.given}, "", c.before).exit_code, 2);
  }
  EXPECT_EQ(NamesIn(folder.Join("game/data")), (std::vector<std::string>{"a.script", "deeper"}))
      << "no table in the game's data";
}

TEST(ProjectArgumentTest, AFolderWithSeveralProjectsGetsOneWarningAndAnOutputForAll) {
  TempFolder folder;
  folder.Write("games/a/a.wpr", "");
  folder.Write("games/a/a.script", "a.Talk(\"from a\");\n");
  folder.Write("games/b/b.wpr", "");
  folder.Write("games/b/b.script", "b.Talk(\"from b\");\n");
  for (const char* name : {"many/1.wpr", "many/2.wpr", "many/3.wpr", "many/4.wpr"}) {
    folder.Write(name, "");
  }
  folder.Write("many/m.script", "m.Talk(\"from many\");\n");
  struct Case {
    std::string given;
    std::string warning;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"games",
       "warning: 2 .wpr files below '" + folder.Join("games") +
           "/', so the output covers several projects: a/a.wpr, b/b.wpr\n",
       {"from a", "from b"}},
      {"many",
       "warning: 4 .wpr files below '" + folder.Join("many") +
           "/', so the output covers several projects: 1.wpr, 2.wpr, 3.wpr, ...\n",
       {"from many"}},
  };
  for (const Case& c : cases) {
    for (const std::vector<std::string>& words : CommandsOn(c.given)) {
      const CliRun run = RunDwelvaneCli(folder, words, kFixedDate);
      EXPECT_EQ(run.exit_code, 0) << words[0] << " " << c.given << ": " << run.err;
      EXPECT_NE(run.err.find(c.warning), std::string::npos) << run.err;
      EXPECT_EQ(CountWarnings(run.err), 1u) << run.err;
    }
    const CliRun table = RunDwelvaneCli(folder, CommandsOn(c.given)[0]);
    for (const std::string& line : c.lines) {
      EXPECT_NE(table.out.find(line), std::string::npos) << table.out;
    }
  }
}

TEST(ProjectArgumentTest, AFolderWithoutAProjectFileAboveRunsAsBefore) {
  TempFolder folder;
  folder.Write("plain/p.script", "p.Talk(\"plain\");\n");
  folder.Write("outer/o.script", "o.Talk(\"outer\");\n");
  folder.Write("outer/inner/one.wpr", "");
  for (const std::string given : {"plain", "outer"}) {
    for (const std::vector<std::string>& words : CommandsOn(given)) {
      const CliRun run = RunDwelvaneCli(folder, words, kFixedDate);
      EXPECT_EQ(run.exit_code, 0) << words[0] << " " << given << ": " << run.err;
      EXPECT_NE(run.err.find("dwelvane-cli: warning: no .wpr file in '" + folder.Join(given) +
                             "/': is it a WME project folder?\n"),
                std::string::npos)
          << run.err;
      EXPECT_EQ(CountWarnings(run.err), 1u) << run.err;
    }
  }
}

TEST(ProjectArgumentTest, AFolderAboveThatCannotBeListedIsPassed) {
  TempFolder folder;
  folder.Write("locked/game.wpr", "");
  folder.Write("locked/data/a.script", "a.Talk(\"hi\");\n");
  ::chmod(folder.Join("locked").c_str(), 0311);
  // Permissions keep root out of nothing: as root, the program runs as nobody.
  std::string as_user;
  if (::geteuid() == 0) {
    ::chmod(folder.Path().c_str(), 0755);
    as_user = "setpriv --reuid=65534 --regid=65534 --clear-groups env";
  }
  const CliRun run = RunDwelvaneCli(folder, {"stats", "locked/data"}, kFixedDate, as_user);
  ::chmod(folder.Join("locked").c_str(), 0755);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.err.find("warning: no .wpr file in"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace dwelvane

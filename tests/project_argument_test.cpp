#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>
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
  const std::pair<std::string, std::string> cases[][2] = {
      {{"", "game/"}, {"", "./game/../game/Game.WPR"}},
      {{"cd game &&", "."}, {"cd game &&", "Game.WPR"}},
  };
  for (const auto& [as_folder, as_file] : cases) {
    const auto by_folder = CommandsOn(as_folder.second);
    const auto by_file = CommandsOn(as_file.second);
    for (std::size_t i = 0; i < by_folder.size(); ++i) {
      const CliRun expected = RunDwelvaneCli(folder, by_folder[i], kFixedDate, as_folder.first);
      const CliRun run = RunDwelvaneCli(folder, by_file[i], kFixedDate, as_file.first);
      EXPECT_EQ(expected.exit_code, 0) << by_folder[i][0] << ": " << expected.err;
      EXPECT_EQ(run.exit_code, expected.exit_code) << by_file[i][0] << ": " << run.err;
      EXPECT_EQ(run.out, expected.out) << by_file[i][0] << " " << as_file.second;
      EXPECT_EQ(run.err, expected.err) << by_file[i][0] << " " << as_file.second;
    }
  }
  EXPECT_EQ(RunDwelvaneCli(folder, {"dialogue", "game/Game.WPR"}).exit_code, 0);
  EXPECT_TRUE(testing::FileExists(folder.Join("game/Dialogue_List.csv")))
      << "the default table lands beside the project file";
}

// A folder inside a project is a usage error that writes nothing; a folder with several
// projects, or with none (an unlistable folder above included), gets one warning.
TEST(ProjectArgumentTest, SaysWhatTheGivenFolderIsToTheProjects) {
  TempFolder folder;
  MakeGame(folder);
  for (const char* name : {"many/1.wpr", "many/2.wpr", "many/3.wpr", "many/4.wpr"}) {
    folder.Write(name, "");
  }
  folder.Write("many/m.script", "m.Talk(\"from many\");\n");
  folder.Write("outer/o.script", "o.Talk(\"outer\");\n");
  folder.Write("outer/inner/one.wpr", "");
  folder.Write("locked/game.wpr", "");
  folder.Write("locked/data/a.script", "a.Talk(\"hi\");\n");
  ::chmod(folder.Join("locked").c_str(), 0311);
  // Permissions keep root out of nothing: as root, the program runs as nobody.
  std::string as_user;
  if (::geteuid() == 0) {
    ::chmod(folder.Path().c_str(), 0755);
    as_user = "setpriv --reuid=65534 --regid=65534 --clear-groups env";
  }
  const std::string game = folder.Join("game");
  struct Case {
    std::string before, given;
    int exit_code;
    std::string message;
  };
  const Case cases[] = {
      {"", "game/data", 2, "'game/data' lies inside the project 'game' (game/Game.WPR)"},
      {"", "datalink", 2, "'datalink' lies inside the project 'game' (game/Game.WPR)"},
      {"cd game/data &&", ".", 2,
       "'.' lies inside the project '" + game + "' (" + game + "/Game.WPR); give that folder\n"},
      {"", "many", 0,
       "warning: 4 .wpr files below '" + folder.Join("many") +
           "/', so the output covers several projects: 1.wpr, 2.wpr, 3.wpr, ...\n"},
      {"", "outer", 0,
       "dwelvane-cli: warning: no .wpr file in '" + folder.Join("outer") +
           "/': is it a WME project folder?\n"},
      {as_user, "locked/data", 0, "warning: no .wpr file in"},
  };
  for (const Case& c : cases) {
    for (const std::vector<std::string>& words : CommandsOn(c.given)) {
      const CliRun run = RunDwelvaneCli(folder, words, kFixedDate, c.before);
      EXPECT_EQ(run.exit_code, c.exit_code) << words[0] << " " << c.given << ": " << run.err;
      EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
      EXPECT_EQ(CountWarnings(run.err), c.exit_code == 0 ? 1u : 0u) << run.err;
      if (c.exit_code != 0) {
        EXPECT_EQ(run.out, "") << words[0] << " " << c.given;
      }
    }
  }
  ::chmod(folder.Join("locked").c_str(), 0755);
  EXPECT_EQ(RunDwelvaneCli(folder, {"dialogue", "game/data"}).exit_code, 2);
  EXPECT_FALSE(testing::FileExists(folder.Join("game/data/Dialogue_List.csv")));
  EXPECT_NE(RunDwelvaneCli(folder, CommandsOn("many")[0]).out.find("from many"), std::string::npos);
}

}  // namespace
}  // namespace dwelvane

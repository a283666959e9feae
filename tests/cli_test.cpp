#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

struct CliResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

// Runs the real dwelvane-cli in `folder` with `words` after the program name,
// `environment` (NAME=value words) before it and the shell command `before` ahead of it.
CliResult RunCli(const TempFolder& folder, const std::vector<std::string>& words,
                 const std::string& environment = "", const std::string& before = "") {
  // The settings store and the Wine prefix are the test's own, never the user's.
  std::string command = "cd " + Quote(folder.Path()) + " && " + before +
                        " XDG_CONFIG_HOME=" + Quote(folder.Join(".config")) +
                        " WINEPREFIX=" + Quote(folder.Join(".wine")) + " " + environment + " " +
                        Quote(DWELVANE_CLI_PATH);
  for (const std::string& word : words) {
    command += " " + Quote(word);
  }
  command += " >" + Quote(folder.Join(".out")) + " 2>" + Quote(folder.Join(".err")) + " </dev/null";
  const int status = std::system(command.c_str());
  CliResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadFileBytes(folder.Join(".out"));
  result.err = ReadFileBytes(folder.Join(".err"));
  return result;
}

void CopyDemo(const TempFolder& folder) {
  std::filesystem::copy(std::string(DWELVANE_SOURCE_DIR) + "/examples/Demo", folder.Join("Demo"),
                        std::filesystem::copy_options::recursive);
}

const std::string kNoLocation = "name,line,speaker,sentence,audio,reference,translate";

TEST(CliDialogueTest, WritesTheSampleProjectsTableByteForByte) {
  TempFolder folder;
  const std::string demo = std::string(DWELVANE_SOURCE_DIR) + "/examples/Demo";
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"dialogue", "--columns", kNoLocation, "--output", "-", demo},
        {"dialogue", "--columns", kNoLocation, "--encoding", "bytes", "--output", "-", demo}}) {
    const CliResult result = RunCli(folder, words);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out,
              ReadFileBytes(std::string(DWELVANE_SOURCE_DIR) + "/tests/data/demo_dialogue.csv"));
  }
}

TEST(CliDialogueTest, ExplainsWhatWentWrong) {
  TempFolder folder;
  folder.Write("p/a.script", "g.Talk(\"hi\");\n");
  folder.Write("file.txt", "");
  struct Case {
    std::initializer_list<std::string> words;
    int exit_code;
    std::string message;
  };
  const Case cases[] = {
      {{}, 2, "no command given"},
      {{"dialog"}, 2, "unknown command 'dialog'"},
      {{"dialogue"}, 2, "no PROJECT given and no project folder stored"},
      {{"dialogue", "--colums", "name", "p"}, 2, "unknown option '--colums'"},
      {{"dialogue", "-x", "p"}, 2, "unknown option '-x'"},
      {{"dialogue", "p", "--output"}, 2, "option '--output' needs a value"},
      {{"dialogue", "--columns", "name,voice", "p"}, 2, "unknown column 'voice'"},
      {{"dialogue", "p", "q"}, 2, "more than one project folder given"},
      {{"dialogue", "missing"},
       1,
       "cannot read the project folder '" + folder.Path() + "/missing/'"},
      {{"dialogue", "file.txt"}, 1, "cannot read the project folder"},
      {{"dialogue", "--output", "no/dir/out.csv", "p"},
       1,
       "cannot write '" + folder.Path() + "/no/dir/out.csv'"},
      {{"dialogue", "--columns", "reference,translate", "--string-table", "none.tab", "p"},
       1,
       "cannot read the string table"},
      {{"dialogue", "--output=", "p"}, 2, "--output needs a file name, or - for standard output"},
      {{"dialogue", "--string-table=", "p"}, 2, "--string-table needs a file name"},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(folder, c.words);
    EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_FALSE(testing::FileExists(folder.Join("p/Dialogue_List.csv"))) << "failures write nothing";
  EXPECT_FALSE(testing::FileExists(folder.Join("missing")));
}

TEST(CliDialogueTest, WarnsWhenTheDefaultStringTableIsMissingButStillWrites) {
  TempFolder folder;
  folder.Write("p/a.script", "g.Talk(\"/id/hi\");\n");
  const CliResult result =
      RunCli(folder, {"dialogue", "--columns=reference,translate", "--output=-", "p"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "\"id\";\"\"\r\n");
  EXPECT_NE(result.err.find("no string table at"), std::string::npos) << result.err;
}

TEST(CliSettingsTest, UsesTheStoredSettingsAndNeverWritesThem) {
  TempFolder folder;
  folder.Write("p/a.script", "g.Talk(\"/id/hi\",\"hi.ogg\");\n");
  folder.Write("tables/mine.tab", "id\tHallo\n");
  const std::string store =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kelterpine\\Dwelvane]\r\n"
      "\"WMEProjectDir\"=\"" +
      folder.Path() +
      "/p\"\r\n"
      "\"CSVName\"=\"lines.csv\"\r\n\"StatisticName\"=\"s.txt\"\r\n"
      "\"Seperator\"=\" | \"\r\n\"StringTab\"=\"" +
      folder.Path() +
      "/tables/mine.tab\"\r\n"
      "\"Language\"=dword:00000001\r\n";
  const std::string store_path = folder.Write(".config/Kelterpine/Dwelvane.reg", store);
  const CliResult dialogue = RunCli(folder, {"dialogue", "--columns=sentence,reference,translate"});
  EXPECT_EQ(dialogue.exit_code, 0) << dialogue.err;
  EXPECT_EQ(ReadFileBytes(folder.Join("p/lines.csv")), "\"hi\" | \"id\" | \"Hallo\"\r\n");
  const CliResult stats = RunCli(folder, {"stats"});
  EXPECT_EQ(stats.exit_code, 0) << stats.err;
  EXPECT_EQ(stats.out.rfind("Statistik f\xFCr das WME Projekt ''\r\n", 0), 0u) << stats.out;
  EXPECT_EQ(ReadFileBytes(store_path), store);
  // A relative XDG_CONFIG_HOME would name another folder from every working directory.
  const CliResult relative =
      RunCli(folder, {"dialogue"}, "XDG_CONFIG_HOME=.config HOME=" + Quote(folder.Join("home")));
  EXPECT_EQ(relative.exit_code, 2) << relative.err;
  EXPECT_NE(relative.err.find("no project folder stored"), std::string::npos) << relative.err;

  TempFolder fresh;
  fresh.Write("p/a.script", "");
  EXPECT_EQ(RunCli(fresh, {"dialogue", "p"}).exit_code, 0);
  EXPECT_TRUE(testing::FileExists(fresh.Join("p/Dialogue_List.csv")));
  EXPECT_FALSE(testing::FileExists(fresh.Join(".config/Kelterpine")));
}

const std::string kFixedDate = "SOURCE_DATE_EPOCH=1233824703";

TEST(CliStatsTest, PrintsOrWritesTheSampleProjectsReport) {
  TempFolder folder;
  CopyDemo(folder);
  const std::string data = std::string(DWELVANE_SOURCE_DIR) + "/tests/data/";
  const CliResult printed = RunCli(folder, {"stats", "Demo"}, kFixedDate);
  EXPECT_EQ(printed.exit_code, 0) << printed.err;
  EXPECT_EQ(printed.out, ReadFileBytes(data + "demo_statistics_en.txt"));
  const CliResult german =
      RunCli(folder, {"stats", "--language=de", "--output", "report.txt", "Demo"}, kFixedDate);
  EXPECT_EQ(german.exit_code, 0) << german.err;
  EXPECT_EQ(german.out, "");
  EXPECT_EQ(ReadFileBytes(folder.Join("report.txt")),
            ReadFileBytes(data + "demo_statistics_de.txt"));
  EXPECT_FALSE(testing::FileExists(folder.Join("Demo/Project_Statistics.txt")));
}

TEST(CliTest, NeverCutsShortAnOutputThatWasThere) {
  TempFolder folder;
  folder.Write("p/a.script", "a.Talk(\"hello\");\n");
  const std::string table = folder.Write("p/Dialogue_List.csv", "\"old\"\r\n");
  const std::string report = folder.Write("report.txt", "old report\r\n");
  // No byte may be written, as on a full disk; the message can't be written either.
  for (const auto& words : {std::initializer_list<std::string>{"dialogue", "p"},
                            {"stats", "--output", "report.txt", "p"}}) {
    EXPECT_EQ(RunCli(folder, words, "", "ulimit -f 0 &&").exit_code, 1);
  }
  EXPECT_EQ(ReadFileBytes(table), "\"old\"\r\n");
  EXPECT_EQ(ReadFileBytes(report), "old report\r\n");
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{".err", ".out", "Dialogue_List.csv", "a.script", "p",
                                            "report.txt"}))
      << "no temporary file is left";
}

TEST(CliTest, NamesWhatItCouldNotReadAndStillSucceeds) {
  TempFolder folder;
  folder.Write("p/a.script", "a.Talk(\"hello\");\n");
  for (const char* name : {"p/locked/b.script", "p/c.script", "p/d.script", "p/e.items"}) {
    ::chmod(folder.Write(name, "b.Talk(\"x\");\n").c_str(), 0);
  }
  ::chmod(folder.Join("p/locked").c_str(), 0);
  // Permissions keep root out of nothing: as root, the program runs as nobody.
  std::string as_user;
  if (::geteuid() == 0) {
    ::chmod(folder.Path().c_str(), 0755);
    as_user = "setpriv --reuid=65534 --regid=65534 --clear-groups env";
  }
  const CliResult table = RunCli(folder, {"dialogue", "--output=-", "p"}, "", as_user);
  EXPECT_EQ(table.exit_code, 0) << table.err;
  EXPECT_EQ(table.out,
            "\"" + folder.Path() + "/p/\";\"a.script\";\"1\";\"a\";\"hello\";\"\";\"\"\r\n");
  EXPECT_NE(table.err.find("warning: 3 entries could not be read and were skipped: " +
                           folder.Path() + "/p/c.script (Permission denied), " + folder.Path() +
                           "/p/d.script (Permission denied), " + folder.Path() +
                           "/p/locked (Permission denied)\n"),
            std::string::npos)
      << table.err;
  const CliResult stats = RunCli(folder, {"stats", "p"}, "", as_user);
  EXPECT_EQ(stats.exit_code, 0) << stats.err;
  EXPECT_NE(stats.err.find("warning: 4 entries could not be read and were skipped: "),
            std::string::npos)
      << stats.err;
  EXPECT_NE(stats.err.find(", ...\n"), std::string::npos) << "three paths are named, no more";
  ::chmod(folder.Join("p/locked").c_str(), 0755);
}

// A project from someone else may hold links where the program writes on its own; a file the
// user names may be a link, and any output may be write-protected.
TEST(CliTest, WritesNoOutputThroughAProjectsLinkNorOverAWriteProtectedFile) {
  TempFolder folder;
  folder.Write("p/a.script", "a.Talk(\"hello\");\n");
  const std::string victim = folder.Write("victim", "mine\n");
  ASSERT_EQ(::symlink("../victim", folder.Join("p/Dialogue_List.csv").c_str()), 0);
  const CliResult linked = RunCli(folder, {"dialogue", "p"});
  EXPECT_EQ(linked.exit_code, 1);
  EXPECT_NE(linked.err.find("cannot write '" + folder.Path() + "/p/Dialogue_List.csv': Is a link"),
            std::string::npos)
      << linked.err;
  EXPECT_EQ(ReadFileBytes(victim), "mine\n");

  ASSERT_EQ(::symlink("victim", folder.Join("named.csv").c_str()), 0);
  const CliResult named = RunCli(folder, {"dialogue", "p", "--output", "named.csv"});
  EXPECT_EQ(named.exit_code, 0) << named.err;
  EXPECT_EQ(ReadFileBytes(victim),
            "\"" + folder.Path() + "/p/\";\"a.script\";\"1\";\"a\";\"hello\";\"\";\"\"\r\n");

  const std::string report = folder.Write("report.txt", "old report\n");
  ::chmod(report.c_str(), 0444);
  const CliResult protected_report = RunCli(folder, {"stats", "p", "--output", "report.txt"});
  EXPECT_EQ(protected_report.exit_code, 1);
  EXPECT_NE(protected_report.err.find("cannot write '" + report + "': File is read-only"),
            std::string::npos)
      << protected_report.err;
  EXPECT_EQ(ReadFileBytes(report), "old report\n");
}

TEST(CliTest, NamesALinkOutOfTheProjectOnceAndFollowsItOnlyWhenTold) {
  TempFolder folder;
  folder.Write("p/a.script", "a.Talk(\"hello\");\n");
  folder.Write("elsewhere/b.script", "b.Talk(\"outside\");\n");
  ASSERT_EQ(::symlink("../elsewhere", folder.Join("p/out").c_str()), 0);
  for (const char* command : {"dialogue", "stats", "speakers", "check"}) {
    const bool has_output = std::string(command) != "check";
    const CliResult passed =
        RunCli(folder, has_output ? std::vector<std::string>{command, "p", "--output=-"}
                                  : std::vector<std::string>{command, "p"});
    EXPECT_NE(passed.err.find("warning: 1 link leads out of the project and was not followed "
                              "(--follow-outside-links follows it): " +
                              folder.Path() + "/p/out\n"),
              std::string::npos)
        << command << ": " << passed.err;
    EXPECT_EQ(passed.out.find("outside"), std::string::npos) << command;
    if (std::string(command) == "dialogue") {
      const CliResult followed =
          RunCli(folder, {command, "p", "--output=-", "--follow-outside-links"});
      EXPECT_EQ(followed.exit_code, 0) << followed.err;
      EXPECT_NE(followed.out.find("outside"), std::string::npos) << followed.out;
      EXPECT_EQ(followed.err.find("link"), std::string::npos) << followed.err;
    }
  }
}

TEST(CliTest, HelpsWithHelpVersionAndTypos) {
  TempFolder folder;
  struct Case {
    std::initializer_list<std::string> words;
    int exit_code;
    std::string out_start;  // the start of standard output
    std::string err;        // all of standard error
  };
  const std::string try_help = "Try 'dwelvane-cli --help'.\n";
  const Case cases[] = {
      {{"--version"}, 0, "dwelvane-cli " DWELVANE_VERSION "\n", ""},
      {{"help"}, 0, "usage: dwelvane-cli COMMAND", ""},
      {{"--help"}, 0, "usage: dwelvane-cli COMMAND", ""},
      {{"help", "stats"}, 0, "usage: dwelvane-cli stats", ""},
      {{"stats", "--help"}, 0, "usage: dwelvane-cli stats", ""},
      {{"dialogue", "-h"}, 0, "usage: dwelvane-cli dialogue", ""},
      {{"dialog", "p"},
       2,
       "",
       "dwelvane-cli: unknown command 'dialog'; did you mean 'dialogue'?\n" + try_help},
      {{"help", "stat"},
       2,
       "",
       "dwelvane-cli: unknown command 'stat'; did you mean 'stats'?\n" + try_help},
      {{"export"}, 2, "", "dwelvane-cli: unknown command 'export'\n" + try_help},
      {{"dialogue", "--colums=name", "p"},
       2,
       "",
       "dwelvane-cli: unknown option '--colums'; did you mean '--columns'?\n" + try_help},
      {{"stats", "--langauge", "de", "p"},
       2,
       "",
       "dwelvane-cli: unknown option '--langauge'; did you mean '--language'?\n" + try_help},
      {{"dialogue", "--header=yes", "p"},
       2,
       "",
       "dwelvane-cli: option '--header' takes no value\n" + try_help},
      {{"dialogue", "--columns", " , ", "p"},
       2,
       "",
       "dwelvane-cli: unknown column '' in --columns\n" + try_help},
      {{"dialogue", "--encoding", "latin1", "p"},
       2,
       "",
       "dwelvane-cli: --encoding takes bytes, utf-8 or utf-8-bom, not 'latin1'\n" + try_help},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(folder, c.words);
    EXPECT_EQ(result.exit_code, c.exit_code) << *c.words.begin();
    EXPECT_TRUE(result.out.starts_with(c.out_start)) << result.out;
    EXPECT_EQ(result.err, c.err);
  }
}

TEST(CliDialogueTest, TakesColumnsSeparatorsHeadersAndPathsAsPeopleTypeThem) {
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("p/scenes/a.script", "a.Talk(\"one\");\n");
  folder.Write("p/lib/b.inc", "b.Talk(\"two\");\n");
  struct Case {
    std::initializer_list<std::string> words;
    std::string out;
  };
  const Case cases[] = {
      {{"--columns", " Name , LINE,sentence "}, "\"a.script\";\"1\";\"one\"\r\n"},
      {{"--columns=name", "--separator", "\\t", "--header"}, "\"name\"\r\n\"a.script\"\r\n"},
      {{"--columns=location,name", "--separator=\\t", "--relative-paths", "--include-inc"},
       "\"lib/\"\t\"b.inc\"\r\n\"scenes/\"\t\"a.script\"\r\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> words{"dialogue", "--output=-", "p"};
    words.insert(words.end() - 1, c.words.begin(), c.words.end());
    const CliResult result = RunCli(folder, words);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, "");
  }
}

TEST(CliDialogueTest, ConvertsMixedEncodingsToUtf8OnRequestAndWarnsWithout) {
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("p/old.script", "a.Talk(\"Gr\xFC\xDF Gott\");\n");
  folder.Write("p/new.script",
               "\xEF\xBB\xBF\nb.Talk(\"Caf\xC3\xA9\");\nb.Talk(\"\xE2\x80\x9Cok\xE2\x80\x9D\");\n");
  const CliResult bytes = RunCli(folder, {"dialogue", "--columns=sentence", "--output=-", "p"});
  EXPECT_EQ(bytes.out,
            "\"Caf\xC3\xA9\"\r\n\"\xE2\x80\x9Cok\xE2\x80\x9D\"\r\n\"Gr\xFC\xDF Gott\"\r\n");
  EXPECT_EQ(bytes.err,
            "dwelvane-cli: warning: the table mixes encodings: 1 lines from Windows-1252 scripts, "
            "2 from UTF-8 scripts; --encoding utf-8 writes them all as UTF-8\n");
  const CliResult utf8 =
      RunCli(folder, {"dialogue", "--columns=sentence", "--encoding=utf-8-bom", "--output=-", "p"});
  EXPECT_EQ(utf8.out,
            "\xEF\xBB\xBF\"Caf\xC3\xA9\"\r\n\"\xE2\x80\x9Cok\xE2\x80\x9D\"\r\n\"Gr\xC3\xBC\xC3\x9F "
            "Gott\"\r\n");
  EXPECT_EQ(utf8.err, "");
  const CliResult report =
      RunCli(folder, {"stats", "--language=de", "--encoding=utf-8", "p"}, kFixedDate);
  EXPECT_TRUE(report.out.starts_with("Statistik f\xC3\xBCr das WME Projekt 'game'\r\n"))
      << report.out;
}

TEST(CliDialogueTest, TranslatesFromThePackagesStringTableAndSaysSo) {
  TempFolder folder;
  folder.Write("p/game.wpr", "[Package1]\r\nFolder=data\r\nPrimary=1\r\n");
  folder.Write("p/data/string.tab", "dlg_1\tHello\r\n");
  folder.Write("p/data/scenes/a.script", "a.Talk(\"/dlg_1/Hi\");\n");
  const CliResult result =
      RunCli(folder, {"dialogue", "--columns=reference,translate", "--output=-", "p"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "\"dlg_1\";\"Hello\"\r\n");
  EXPECT_EQ(result.err, "dwelvane-cli: no English/STRING.TAB; translating from the package's '" +
                            folder.Path() + "/p/data/string.tab'\n");
}

TEST(CliCheckTest, PrintsFindingsAsCompilersDoAndExitsByThem) {
  TempFolder folder;
  folder.Write("clean/game.wpr", "");
  folder.Write("clean/English/STRING.TAB", "hi\tHello\r\n");
  folder.Write("clean/hi.ogg", "");
  folder.Write("clean/scr/a.script", "a.Talk(\"/hi/Hello\",\"HI.OGG\");\n");
  folder.Write("faulty/game.wpr", "");
  folder.Write("faulty/scr/a.script", "a.Talk(\"/hi/Hello\");\n\na.Talk(x);\n");
  struct Case {
    std::initializer_list<std::string> words;
    int exit_code;
    std::string out, err;
  };
  const Case cases[] = {
      {{"check", "clean"}, 0, "", "0 findings in 1 script\n"},
      {{"check", "faulty"},
       3,
       "scr/a.script:3: warning: no text to voice: the first argument is no text literal "
       "[no-sentence]\n",
       "dwelvane-cli: warning: no string table at '" + folder.Path() +
           "/faulty/English/STRING.TAB': no reference is checked\n"
           "1 finding (1 no-sentence) in 1 script\n"},
      {{"check", "--string-table", "clean/English/STRING.TAB", "faulty"},
       3,
       "scr/a.script:3: warning: no text to voice: the first argument is no text literal "
       "[no-sentence]\n",
       "1 finding (1 no-sentence) in 1 script\n"},
      {{"check", "missing"}, 1, "", ""},
      {{"check", "--colums", "x", "clean"}, 2, "", ""},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(folder, c.words);
    EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
    EXPECT_EQ(result.out, c.out);
    if (c.exit_code != 1 && c.exit_code != 2) {
      EXPECT_EQ(result.err, c.err);
    }
  }
}

TEST(CliSpeakersTest, ChoosesTheFormatByOptionOrFileName) {
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("p/a.script", "\tMolly.Talk(\"/id/Hello there\",\"x.ogg\");\n");
  const CliResult text = RunCli(folder, {"speakers", "p"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out,
            "speaker  lines  words  with audio  without audio\r\n"
            "Molly        1      2           1              0\r\n"
            "total        1      2           1              0\r\n");
  EXPECT_EQ(RunCli(folder, {"speakers", "--format=CSV", "p"}).out,
            "speaker,lines,words,with_audio,without_audio\r\nMolly,1,2,1,0\r\ntotal,1,2,1,0\r\n");
  ASSERT_EQ(RunCli(folder, {"speakers", "--output", "budget.html", "p"}).exit_code, 0);
  EXPECT_TRUE(ReadFileBytes(folder.Join("budget.html")).starts_with("<!DOCTYPE html>"));
  EXPECT_EQ(RunCli(folder, {"speakers", "--format", "pdf", "p"}).exit_code, 2);
  EXPECT_EQ(RunCli(folder, {"speakers", "--output", "no/dir/b.csv", "p"}).exit_code, 1);
}

TEST(CliDialogueTest, WarnsOnceAboutFormulaCellsAndNeutralisesThemOnRequest) {
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("p/a.script",
               "Molly.Talk(\"=HYPERLINK('http://x')\");\n"
               "Molly.Talk(\"-Yes?\");\nMolly.Talk(\"Fine\");\n");
  const std::vector<std::string> columns = {"--columns", "speaker,sentence", "--output", "-"};
  std::vector<std::string> words = {"dialogue"};
  words.insert(words.end(), columns.begin(), columns.end());
  words.push_back("p");
  const CliResult plain = RunCli(folder, words);
  EXPECT_EQ(plain.exit_code, 0) << plain.err;
  EXPECT_EQ(plain.out,
            "\"Molly\";\"=HYPERLINK('http://x')\"\r\n\"Molly\";\"-Yes?\"\r\n"
            "\"Molly\";\"Fine\"\r\n");
  EXPECT_EQ(plain.err,
            "dwelvane-cli: warning: 2 cells start with a formula character (=, +, -, @, tab or "
            "CR), which a spreadsheet may run as a formula; --safe-cells writes a ' before each "
            "so that it shows as text\n");
  words.insert(words.begin() + 1, "--safe-cells");
  const CliResult safe = RunCli(folder, words);
  EXPECT_EQ(safe.exit_code, 0) << safe.err;
  EXPECT_EQ(safe.out,
            "\"Molly\";\"'=HYPERLINK('http://x')\"\r\n\"Molly\";\"'-Yes?\"\r\n"
            "\"Molly\";\"Fine\"\r\n");
  EXPECT_EQ(safe.err, "");
}

// Memory is measured by the address space the system grants the program: under the
// sanitizers that is no measure, as they reserve terabytes up front.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceIsMemory = false;
#else
constexpr bool kAddressSpaceIsMemory = true;
#endif

// The shell's words that limit the program's address space to `mebibytes`.
std::string LimitMemory(int mebibytes) {
  return "ulimit -v " + std::to_string(mebibytes * 1024) + " &&";
}

TEST(CliTest, KeepsMemoryFlatOnALongLineWithoutATalkCall) {
  if (!kAddressSpaceIsMemory) {
    GTEST_SKIP() << "the sanitizers' address space is no measure of memory";
  }
  // A 96 MiB line once took a buffer of 128 MiB and more while being passed over.
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("p/English/STRING.TAB", "hi\tHello\r\n");
  folder.Write("p/a.script", std::string(96 << 20, 'x') + "\nMolly.Talk(\"/hi/Hi\");\n" +
                                 std::string(1 << 20, 'y') + " Ann.Talk(\"Bye\");");
  const std::string before = LimitMemory(96);
  const CliResult dialogue = RunCli(
      folder, {"dialogue", "--columns", "line,speaker,sentence", "--output", "-", "p"}, "", before);
  EXPECT_EQ(dialogue.exit_code, 0) << dialogue.err;
  EXPECT_EQ(dialogue.out, "\"2\";\"Molly\";\"Hi\"\r\n\"3\";\"Ann\";\"Bye\"\r\n");
  const CliResult speakers = RunCli(folder, {"speakers", "--format", "csv", "p"}, "", before);
  EXPECT_EQ(speakers.exit_code, 0) << speakers.err;
  EXPECT_EQ(speakers.out,
            "speaker,lines,words,with_audio,without_audio\r\nAnn,1,1,0,1\r\nMolly,1,1,0,1\r\n"
            "total,2,2,0,2\r\n");
  const CliResult check = RunCli(folder, {"check", "p"}, "", before);
  EXPECT_EQ(check.exit_code, 0) << check.err;
}

TEST(CliTest, SaysWhichFileWasTooLargeForTheMemory) {
  if (!kAddressSpaceIsMemory) {
    GTEST_SKIP() << "the sanitizers' address space is no measure of memory";
  }
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("p/a.script", "Molly.Talk(\"/hi/Hi\");\n");
  const std::string table = folder.Write("p/English/STRING.TAB", "");
  std::filesystem::resize_file(table, 256 << 20);
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"check", "p"},
        {"dialogue", "--columns", "reference,translate", "--output", "out.csv", "p"}}) {
    const CliResult result = RunCli(folder, words, "", LimitMemory(160));
    EXPECT_EQ(result.exit_code, 1) << words[0] << ": " << result.err;
    EXPECT_EQ(result.err, "dwelvane-cli: out of memory reading '" + table + "'\n") << words[0];
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Join("out.csv")));
}

TEST(CliStatsTest, ExplainsWhatWentWrong) {
  TempFolder folder;
  folder.MakeFolder("p");
  struct Case {
    std::initializer_list<std::string> words;
    std::string environment;
    int exit_code;
    std::string message;
  };
  const Case cases[] = {
      {{"stats", "--language", "fr", "p"}, "", 2, "--language takes en or de, not 'fr'"},
      {{"stats", "--columns", "name", "p"}, "", 2, "unknown option '--columns'"},
      {{"stats", "p"}, "SOURCE_DATE_EPOCH=yesterday", 2, "SOURCE_DATE_EPOCH must be a whole"},
      {{"stats", "p"}, "SOURCE_DATE_EPOCH=-1", 2, "from 1970 to the end of 9999, not '-1'"},
      {{"stats", "p"}, "SOURCE_DATE_EPOCH=-0", 2, "from 1970 to the end of 9999, not '-0'"},
      {{"stats", "p"}, "SOURCE_DATE_EPOCH=253402300800", 2, "to the end of 9999"},
      {{"stats", "p"}, "SOURCE_DATE_EPOCH=99999999999999999999", 2, "to the end of 9999"},
      {{"stats", "--output=", "p"}, "", 2, "--output needs a file name"},
      {{"stats", "missing"}, "", 1, "cannot read the project folder"},
      {{"stats", "--output", "no/dir/report.txt", "p"},
       "",
       1,
       "cannot write '" + folder.Path() + "/no/dir/report.txt'"},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(folder, c.words, c.environment);
    EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

// The words the bash completion offers with the cursor at the end of the last of `words`.
std::string Complete(const std::vector<std::string>& words) {
  std::string command =
      "source " + Quote(DWELVANE_CLI_COMPLETION) + "; COMP_WORDS=(" + Quote(DWELVANE_CLI_PATH);
  for (const std::string& word : words) {
    command += " " + Quote(word);
  }
  command +=
      "); COMP_CWORD=" + std::to_string(words.size()) + "; _dwelvane_cli; echo \"${COMPREPLY[*]}\"";
  TempFolder folder;
  const std::string script = folder.Write("complete.sh", command);
  const int status =
      std::system(("bash " + Quote(script) + " >" + Quote(folder.Join("out"))).c_str());
  EXPECT_EQ(status, 0);
  std::string out = ReadFileBytes(folder.Join("out"));
  return out.substr(0, out.find('\n'));
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> words;
  for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
    end = std::min(text.find(' ', start), text.size());
    words.push_back(text.substr(start, end - start));
  }
  return words;
}

std::string Joined(std::vector<std::string> words) {
  std::sort(words.begin(), words.end());
  std::string joined;
  for (const std::string& word : words) {
    joined.append(joined.empty() ? "" : " ").append(word);
  }
  return joined;
}

TEST(CliPackagingTest, CompletionOffersEveryCommandOptionAndChoice) {
  std::vector<std::string> commands;
  for (const CommandEntry* command : Commands()) {
    commands.emplace_back(command->name);
    std::vector<std::string> options;
    for (const OptionEntry& option : command->options) {
      options.push_back("--" + std::string(option.name));
      if (!option.choices.empty()) {
        const std::vector<std::string> choices(option.choices.begin(), option.choices.end());
        EXPECT_EQ(Joined(Split(Complete({commands.back(), options.back(), ""}))), Joined(choices))
            << command->name << " " << options.back();
      }
    }
    EXPECT_EQ(Complete({commands.back(), "--"}), Joined(options) + " --help") << command->name;
  }
  commands.insert(commands.end(), {"help", "--help", "--version"});
  EXPECT_EQ(Joined(Split(Complete({""}))), Joined(commands));
}

// The lines of the man page's section on `command`, up to the next section.
std::string ManPageSection(const std::string& page, std::string_view command) {
  const std::size_t start = page.find(".SS " + std::string(command) + "\n");
  if (start == std::string::npos) {
    return "";
  }
  return page.substr(start, page.find("\n.S", start + 1) - start);
}

TEST(CliPackagingTest, ManPageDescribesEveryCommandAndOption) {
  const std::string page = ReadFileBytes(DWELVANE_CLI_MAN_PAGE);
  for (const CommandEntry* command : Commands()) {
    const std::string section = ManPageSection(page, command->name);
    EXPECT_NE(section, "") << command->name;
    for (const OptionEntry& option : command->options) {
      std::string roff_name = "\\-\\-";
      for (const char c : option.name) {
        roff_name += c == '-' ? std::string("\\-") : std::string(1, c);
      }
      EXPECT_NE(section.find("  " + roff_name + " "), std::string::npos)
          << command->name << " --" << option.name;
    }
  }
}

}  // namespace
}  // namespace dwelvane

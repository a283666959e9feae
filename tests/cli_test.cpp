#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/command_table.h"
#include "cli_runner.h"
#include "runtime/text_encoding.h"

namespace dwelvane {
namespace {

using testing::CliRun;
using testing::FileExists;
using testing::QuoteForShell;
using testing::ReadFileBytes;
using testing::RunDwelvaneCli;
using testing::TempFolder;
using Words = std::vector<std::string>;

// Runs dwelvane-cli with the words of `line`, split at its spaces.
CliRun RunCli(const TempFolder& folder, const std::string& line,
              const std::string& environment = "", const std::string& before = "") {
  Words words;
  std::istringstream in(line);
  for (std::string word; in >> word;) {
    words.push_back(word);
  }
  return RunDwelvaneCli(folder, words, environment, before);
}

const std::string kSource = DWELVANE_SOURCE_DIR;
const std::string kFixedDate = "SOURCE_DATE_EPOCH=1233824703";
const std::string kWarning = "dwelvane-cli: warning: ";
const std::string kTalk = "a.Talk(\"hello\");\n";
const std::string kTalkRow = "\";\"a.script\";\"1\";\"a\";\"hello\";\"\";\"\"\r\n";

std::string Golden(const std::string& name) {
  return ReadFileBytes(kSource + "/tests/data/" + name);
}

TEST(CliTest, WritesTheSampleProjectsTableAndReportByteForByte) {
  TempFolder folder;
  std::filesystem::copy(kSource + "/examples/Demo", folder.Join("Demo"),
                        std::filesystem::copy_options::recursive);
  const std::string columns = "--columns=name,line,speaker,sentence,audio,reference,translate ";
  std::string german_utf8;
  AppendAsUtf8(german_utf8, Golden("demo_statistics_de.txt"), SourceEncoding::kWindows1252);
  const std::pair<std::string, std::string> cases[] = {
      {"dialogue " + columns + "--output=- Demo", Golden("demo_dialogue.csv")},
      {"dialogue " + columns + "--encoding=bytes --output=- Demo", Golden("demo_dialogue.csv")},
      {"stats Demo", Golden("demo_statistics_en.txt")},
      {"stats --language=de --encoding=utf-8 Demo", german_utf8},
      {"stats --language=de --output report.txt Demo", ""},
  };
  for (const auto& [words, out] : cases) {
    const CliRun result = RunCli(folder, words, kFixedDate);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, out) << words;
  }
  EXPECT_EQ(ReadFileBytes(folder.Join("report.txt")), Golden("demo_statistics_de.txt"));
  EXPECT_FALSE(FileExists(folder.Join("Demo/Project_Statistics.txt")));
}

TEST(CliTest, SaysWhatWentWrongAndHowToGetHelp) {
  TempFolder folder;
  folder.Write("p/a.script", kTalk);
  const std::string at = folder.Path() + "/";
  const std::string epoch =
      "SOURCE_DATE_EPOCH must be a whole number of seconds from 1970 to the end of 9999, not ";
  struct Case {
    std::string words;
    int exit_code;
    // Success: the start of standard output. A wrong command line (2): all of standard
    // error, between "dwelvane-cli: " and the hint. A failure (1): part of standard error.
    std::string text;
    std::string environment = "";
  };
  const Case cases[] = {
      {"--version", 0, "dwelvane-cli " DWELVANE_VERSION "\n"},
      {"--help", 0, "usage: dwelvane-cli COMMAND"},
      {"dialogue -h", 0, "usage: dwelvane-cli dialogue"},
      {"", 2, "no command given"},
      {"dialog p", 2, "unknown command 'dialog'; did you mean 'dialogue'?"},
      {"stats --encoding latin1 p", 2, "--encoding takes bytes, utf-8 or utf-8-bom, not 'latin1'"},
      {"dialogue", 2, "no PROJECT given and no project folder stored"},
      {"dialogue --output= p", 2, "--output needs a file name, or - for standard output"},
      {"dialogue --string-table= p", 2, "--string-table needs a file name"},
      {"stats p", 2, epoch + "'yesterday'", "SOURCE_DATE_EPOCH=yesterday"},
      {"stats p", 2, epoch + "'253402300800'", "SOURCE_DATE_EPOCH=253402300800"},
      {"dialogue missing", 1, "cannot read the project folder '" + at + "missing/'"},
      {"dialogue --output no/dir/out.csv p", 1, "cannot write '" + at + "no/dir/out.csv'"},
      {"dialogue --columns=reference,translate --string-table none.tab p", 1,
       "cannot read the string table"},
  };
  for (const Case& c : cases) {
    const CliRun result = RunCli(folder, c.words, c.environment);
    EXPECT_EQ(result.exit_code, c.exit_code) << c.words << ": " << result.err;
    if (c.exit_code == 0) {
      EXPECT_TRUE(result.out.starts_with(c.text)) << result.out;
      EXPECT_EQ(result.err, "");
      continue;
    }
    EXPECT_EQ(result.out, "") << c.words;
    if (c.exit_code == 2) {
      EXPECT_EQ(result.err, "dwelvane-cli: " + c.text + "\nTry 'dwelvane-cli --help'.\n");
    } else {
      EXPECT_NE(result.err.find(c.text), std::string::npos) << result.err;
    }
  }
  EXPECT_FALSE(FileExists(folder.Join("p/Dialogue_List.csv"))) << "failures write nothing";
  EXPECT_FALSE(FileExists(folder.Join("missing")));
}

TEST(CliTest, DoesWhatItsOptionsSay) {
  TempFolder folder;
  const std::string at = folder.Path() + "/";
  for (const auto& [name, bytes] : std::initializer_list<std::pair<const char*, std::string>>{
           {"plain/game.wpr", ""},
           {"plain/scenes/a.script", "a.Talk(\"one\");\n"},
           {"plain/lib/b.inc", "b.Talk(\"/id/two\",\"two.ogg\");\n"},
           {"mixed/game.wpr", ""},
           {"mixed/old.script", "M.Talk(\"=Gr\xFC\xDF\");\n"},
           {"mixed/new.script", "\xEF\xBB\xBF\nN.Talk(\"Caf\xC3\xA9\");\n"},
           {"packed/game.wpr", "[Package1]\r\nFolder=data\r\nPrimary=1\r\n"},
           {"packed/data/string.tab", "dlg_1\tHello\r\n"},
           {"packed/data/scenes/a.script", "a.Talk(\"/dlg_1/Hi\");\n"},
           {"clean/game.wpr", ""},
           {"clean/English/STRING.TAB", "hi\tHello\r\n"},
           {"clean/hi.ogg", ""},
           {"clean/scr/a.script", "a.Talk(\"/hi/Hello\",\"HI.OGG\");\n"},
           {"faulty/game.wpr", ""},
           {"faulty/scr/a.script", "a.Talk(\"/hi/Hello\");\n\na.Talk(x);\n"}}) {
    folder.Write(name, bytes);
  }
  const std::string mixes =
      kWarning +
      "the table mixes encodings: 1 lines from Windows-1252 scripts, 1 from UTF-8 scripts; "
      "--encoding utf-8 writes them all as UTF-8\n";
  const std::string formula =
      kWarning +
      "1 cell starts with a formula character (=, +, -, @, tab or CR), which a spreadsheet may "
      "run as a formula; --safe-cells writes a ' before each so that it shows as text\n";
  const std::string no_sentence =
      "scr/a.script:3: warning: no text to voice: the first argument is no text literal "
      "[no-sentence]\n";
  const std::string one_finding = "1 finding (1 no-sentence) in 1 script\n";
  struct Case {
    std::string words, out, err;
    int exit_code = 0;
  };
  const Case cases[] = {
      {"dialogue --columns=sentence --output=- mixed", "\"Caf\xC3\xA9\"\r\n\"=Gr\xFC\xDF\"\r\n",
       mixes + formula},
      {"dialogue --columns=sentence --encoding=utf-8-bom --safe-cells --output=- mixed",
       "\xEF\xBB\xBF\"Caf\xC3\xA9\"\r\n\"'=Gr\xC3\xBC\xC3\x9F\"\r\n", ""},
      {"dialogue --columns=name --separator \\t --header --output=- plain",
       "\"name\"\r\n\"a.script\"\r\n", ""},
      {"dialogue --columns=location,name,reference,translate --separator=\\t --relative-paths "
       "--include-inc --output=- plain",
       "\"lib/\"\t\"b.inc\"\t\"id\"\t\"\"\r\n\"scenes/\"\t\"a.script\"\t\"\"\t\"\"\r\n",
       kWarning + "no string table at '" + at +
           "plain/English/STRING.TAB'; translations stay empty\n"},
      {"dialogue --columns=reference,translate --output=- packed", "\"dlg_1\";\"Hello\"\r\n",
       "dwelvane-cli: no English/STRING.TAB; translating from the package's '" + at +
           "packed/data/string.tab'\n"},
      {"speakers --include-inc plain",
       "speaker  lines  words  with audio  without audio  recorded\r\n"
       "a            1      1           0              1         0\r\n"
       "b            1      1           1              0         0\r\n"
       "total        2      2           1              1         0\r\n",
       ""},
      {"speakers --format=CSV plain",
       "speaker,lines,words,with_audio,without_audio,recorded\r\na,1,1,0,1,0\r\ntotal,1,1,0,1,"
       "0\r\n",
       ""},
      {"check clean", "", "0 findings in 1 script\n"},
      {"check faulty", no_sentence,
       kWarning + "no string table at '" + at +
           "faulty/English/STRING.TAB': no reference is checked\n" + one_finding,
       3},
      {"check --string-table clean/English/STRING.TAB faulty", no_sentence, one_finding, 3},
  };
  for (const Case& c : cases) {
    const CliRun result = RunCli(folder, c.words);
    EXPECT_EQ(result.exit_code, c.exit_code) << c.words;
    EXPECT_EQ(result.out, c.out) << c.words;
    EXPECT_EQ(result.err, c.err) << c.words;
  }
  ASSERT_EQ(RunCli(folder, "speakers --output budget.html plain").exit_code, 0);
  EXPECT_TRUE(ReadFileBytes(folder.Join("budget.html")).starts_with("<!DOCTYPE html>"));
}

TEST(CliTest, NeverCutsShortAnOutputThatWasThere) {
  TempFolder folder;
  folder.Write("p/a.script", kTalk);
  const std::string table = folder.Write("p/Dialogue_List.csv", "\"old\"\r\n");
  const std::string report = folder.Write("report.txt", "old report\r\n");
  // No byte may be written, as on a full disk; the message can't be written either.
  for (const char* words : {"dialogue p", "stats --output report.txt p"}) {
    EXPECT_EQ(RunCli(folder, words, "", "ulimit -f 0 &&").exit_code, 1) << words;
  }
  EXPECT_EQ(ReadFileBytes(table), "\"old\"\r\n");
  EXPECT_EQ(ReadFileBytes(report), "old report\r\n");
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (Words{".err", ".out", "Dialogue_List.csv", "a.script", "p", "report.txt"}))
      << "no temporary file is left";
}

// A project from someone else may hold links where the program writes on its own; a file the
// user names may be a link, and any output may be write-protected.
TEST(CliTest, WritesNoOutputThroughAProjectsLinkNorOverAWriteProtectedFile) {
  TempFolder folder;
  folder.Write("p/a.script", kTalk);
  const std::string victim = folder.Write("victim", "mine\n");
  ASSERT_EQ(::symlink("../victim", folder.Join("p/Dialogue_List.csv").c_str()), 0);
  const CliRun linked = RunCli(folder, "dialogue p");
  EXPECT_EQ(linked.exit_code, 1);
  EXPECT_NE(linked.err.find("cannot write '" + folder.Path() + "/p/Dialogue_List.csv': Is a link"),
            std::string::npos)
      << linked.err;
  EXPECT_EQ(ReadFileBytes(victim), "mine\n");

  ASSERT_EQ(::symlink("victim", folder.Join("named.csv").c_str()), 0);
  const CliRun named = RunCli(folder, "dialogue p --output named.csv");
  EXPECT_EQ(named.exit_code, 0) << named.err;
  EXPECT_EQ(ReadFileBytes(victim), "\"" + folder.Path() + "/p/" + kTalkRow);

  const std::string report = folder.Write("report.txt", "old report\n");
  ::chmod(report.c_str(), 0444);
  const CliRun protected_report = RunCli(folder, "stats p --output report.txt");
  EXPECT_EQ(protected_report.exit_code, 1);
  EXPECT_NE(protected_report.err.find("cannot write '" + report + "': File is read-only"),
            std::string::npos)
      << protected_report.err;
  EXPECT_EQ(ReadFileBytes(report), "old report\n");
}

TEST(CliTest, NamesALinkOutOfTheProjectOnceAndFollowsItOnlyWhenTold) {
  TempFolder folder;
  folder.Write("p/a.script", kTalk);
  folder.Write("elsewhere/b.script", "b.Talk(\"outside\");\n");
  ASSERT_EQ(::symlink("../elsewhere", folder.Join("p/out").c_str()), 0);
  for (const char* words :
       {"dialogue --output=- p", "stats --output=- p", "speakers p", "check p"}) {
    const CliRun passed = RunCli(folder, words);
    EXPECT_NE(passed.err.find(kWarning +
                              "1 link leads out of the project and was not followed "
                              "(--follow-outside-links follows it): " +
                              folder.Path() + "/p/out\n"),
              std::string::npos)
        << words << ": " << passed.err;
    EXPECT_EQ(passed.out.find("outside"), std::string::npos) << words;
  }
  const CliRun followed = RunCli(folder, "dialogue p --output=- --follow-outside-links");
  EXPECT_EQ(followed.exit_code, 0) << followed.err;
  EXPECT_NE(followed.out.find("outside"), std::string::npos) << followed.out;
  EXPECT_EQ(followed.err.find("link"), std::string::npos) << followed.err;
}

// The address space the system grants the program measures its memory; not under the
// sanitizers, which reserve terabytes up front.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceIsMemory = false;
#else
constexpr bool kAddressSpaceIsMemory = true;
#endif

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
  // Both readers: speakers and check read as the engine does.
  for (const std::string syntax : {"line", "engine"}) {
    const CliRun dialogue = RunCli(
        folder, "dialogue --syntax " + syntax + " --columns line,speaker,sentence --output - p", "",
        LimitMemory(96));
    EXPECT_EQ(dialogue.exit_code, 0) << syntax << dialogue.err;
    EXPECT_EQ(dialogue.out, "\"2\";\"Molly\";\"Hi\"\r\n\"3\";\"Ann\";\"Bye\"\r\n") << syntax;
  }
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
  for (const char* words :
       {"check p", "dialogue --columns reference,translate --output out.csv p"}) {
    const CliRun result = RunCli(folder, words, "", LimitMemory(160));
    EXPECT_EQ(result.exit_code, 1) << words << ": " << result.err;
    EXPECT_EQ(result.err, "dwelvane-cli: out of memory reading '" + table + "'\n") << words;
  }
  EXPECT_FALSE(FileExists(folder.Join("out.csv")));
}

// The words the bash completion offers with the cursor at the end of the last of `words`,
// sorted.
Words Complete(const Words& words) {
  std::string command = "source " + QuoteForShell(DWELVANE_CLI_COMPLETION) + "; COMP_WORDS=(" +
                        QuoteForShell(DWELVANE_CLI_PATH);
  for (const std::string& word : words) {
    command += " " + QuoteForShell(word);
  }
  command += "); COMP_CWORD=" + std::to_string(words.size()) +
             "; _dwelvane_cli; printf '%s\\n' \"${COMPREPLY[@]}\"";
  TempFolder folder;
  const std::string script = folder.Write("complete.sh", command);
  EXPECT_EQ(
      std::system(
          ("bash " + QuoteForShell(script) + " >" + QuoteForShell(folder.Join("out"))).c_str()),
      0);
  const std::string out = ReadFileBytes(folder.Join("out"));
  Words offered;
  for (std::size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos;
       start = end + 1) {
    offered.push_back(out.substr(start, end - start));
  }
  std::sort(offered.begin(), offered.end());
  return offered;
}

TEST(CliPackagingTest, CompletionOffersEveryCommandOptionAndChoice) {
  Words commands = {"help", "--help", "--version"};
  for (const CommandEntry* command : Commands()) {
    commands.emplace_back(command->name);
    Words options = {"--help"};
    for (const OptionEntry& option : command->options) {
      options.push_back("--" + std::string(option.name));
      if (!option.choices.empty()) {
        Words choices(option.choices.begin(), option.choices.end());
        std::sort(choices.begin(), choices.end());
        EXPECT_EQ(Complete({commands.back(), options.back(), ""}), choices) << options.back();
      }
    }
    std::sort(options.begin(), options.end());
    EXPECT_EQ(Complete({commands.back(), "--"}), options) << command->name;
  }
  std::sort(commands.begin(), commands.end());
  EXPECT_EQ(Complete({""}), commands);
}

TEST(CliPackagingTest, ManPageDescribesEveryCommandAndOption) {
  const std::string page = ReadFileBytes(DWELVANE_CLI_MAN_PAGE);
  for (const CommandEntry* command : Commands()) {
    // The command's section, up to the next one.
    const std::size_t start = page.find(".SS " + std::string(command->name) + "\n");
    ASSERT_NE(start, std::string::npos) << command->name;
    const std::string section = page.substr(start, page.find("\n.S", start + 1) - start);
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

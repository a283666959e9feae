// dwelvane-cli check in a build pipeline: its exit status, its kind switches, the comments
// that silence a finding and the baseline of earlier findings, on real projects.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::CliRun;
using testing::RunDwelvaneCli;
using testing::TempFolder;

CliRun RunCheck(const TempFolder& folder, const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) {
    words.push_back(word);
  }
  return RunDwelvaneCli(folder, words);
}

std::string NoSentence(const std::string& at) {
  return at + ": warning: no text to voice: the first argument is no text literal [no-sentence]\n";
}

// A findings file of the given kind, file and text triples, as another run wrote it.
std::string BaselineOf(const std::vector<std::vector<std::string>>& entries) {
  std::string json = "{\"tool\":\"dwelvane\",\"version\":\"1\",\"project\":\"p\",\"findings\":[";
  for (const auto& entry : entries) {
    json += (&entry == &entries.front() ? "" : ",") + std::string("{\"kind\":\"") + entry[0] +
            "\",\"severity\":\"warning\",\"file\":\"" + entry[1] +
            "\",\"line\":1,\"column\":1,\"message\":\"m\",\"hint\":\"\",\"text\":\"" + entry[2] +
            "\"}";
  }
  return json + "]}";
}

TEST(CheckGatesTest, ExitsOneOnErrorsAndOnFindingsOfTheErrorKinds) {
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("p/scr/a.script", "a.Talk(x);\na.Talk(\"Hi\", \"gone.ogg\");\n");
  folder.Write("wpr_only/game.wpr", "");
  folder.Write("script_only/a.script", "a.Talk(\"Hi\");\n");
  folder.MakeFolder("empty/sub");
  folder.Write(".config/Kelterpine/Dwelvane.reg",
               "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kelterpine\\Dwelvane]\r\n"
               "\"CSVName\"=\"Dialogue_List.csv\"\r\n"
               "\"StatisticName\"=\"Project_Statistics.txt\"\r\n"
               "\"Seperator\"=\";\"\r\n"
               "\"WMEProjectDir\"=\"" +
                   folder.Join("p/") +
                   "\"\r\n"
                   "\"StringTab\"=\"\"\r\n"
                   "\"Language\"=dword:00000000\r\n\r\n");
  struct Case {
    std::string words;
    int exit_code;
    std::string kinds_printed;  // the kinds of the findings on standard output
    std::string err = {};       // a part of standard error
  };
  const Case cases[] = {
      {"check empty", 1, "", "is no project: no .wpr file and no script"},
      {"check wpr_only", 0, ""},
      {"check script_only", 0, ""},
      {"check --string-table missing.tab p", 1, "", "cannot read the string table"},
      {"check", 1, "", "no PROJECT given"},
      {"check --stored", 3, "[no-sentence][missing-audio]"},
      {"dialogue --output -", 0, "", "no PROJECT given: using the stored project folder"},
      {"check p", 3, "[no-sentence][missing-audio]"},
      {"check --error missing-audio p", 1, "[no-sentence][missing-audio]"},
      {"check --error no-sentence --disable no-sentence p", 3, "[missing-audio]"},
      {"check --disable missing-audio,No-Sentence p", 0, ""},
      {"check --enable no-sentence,missing-audio --disable missing-audio p", 3, "[no-sentence]"},
      {"check --enable bogus p", 2, "",
       "unknown kind 'bogus' in --enable; the kinds are "
       "missing-audio, unknown-reference,"},
      {"check --error= p", 2, "", "a kind name is missing in --error"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunCheck(folder, c.words);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.words << ": " << run.err;
    std::string kinds;
    for (std::size_t open = run.out.find('['); open != std::string::npos;
         open = run.out.find('[', open + 1)) {
      kinds += run.out.substr(open, run.out.find(']', open) - open + 1);
    }
    EXPECT_EQ(kinds, c.kinds_printed) << c.words;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << c.words << ": " << run.err;
  }
}

TEST(CheckGatesTest, ACommentOnTheLineOrTheLineAboveSilencesItsKinds) {
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("p/a.script",
               "// dwelvane: ignore no-sentence\n"
               "a.Talk(x);\n"
               "a.Talk(x); // dwelvane: ignore all\n"
               "\n"
               "a.Talk(x);\n"
               "a.Talk(y); // dwelvane: ignore missing-audio\n");
  folder.Write("p/b.script",
               "a.Talk(\"Hi\", \"gone.ogg\"); // dwelvane: ignore no-sentence, missing-audio\n");
  const CliRun run = RunCheck(folder, "check p");
  EXPECT_EQ(run.exit_code, 3) << run.err;
  EXPECT_EQ(run.out, NoSentence("a.script:5") + NoSentence("a.script:6"));
}

TEST(CheckGatesTest, ABaselineHidesTheFindingsItHoldsWhereverTheirLinesMoved) {
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("base.json", BaselineOf({{"no-sentence", "scr/a.script", "a.Talk(x);"},
                                        {"missing-audio", "scr/a.script", "gone"}}));
  struct Case {
    std::string a_script, b_script, out;
  };
  const Case cases[] = {
      {"// new\n\n  a.Talk(x);  \n", "", ""},
      {"a.Talk(x);\n\na.Talk(x);\n", "", NoSentence("scr/a.script:3")},
      {"", "a.Talk(x);\n", NoSentence("scr/b.script:1")},
      {"a.Talk(y);\n", "", NoSentence("scr/a.script:1")},
  };
  for (const Case& c : cases) {
    folder.Write("p/scr/a.script", c.a_script);
    folder.Write("p/scr/b.script", c.b_script);
    const CliRun run = RunCheck(folder, "check --baseline base.json p");
    EXPECT_EQ(run.exit_code, c.out.empty() ? 0 : 3) << c.a_script << run.err;
    EXPECT_EQ(run.out, c.out) << c.a_script;
  }
}

TEST(CheckGatesTest, ABaselineThatCantBeReadIsAnError) {
  TempFolder folder;
  folder.Write("p/a.script", "a.Talk(x);\n");
  folder.Write("truncated.json", "{\"findings\":[");
  folder.Write("no_findings.json", "{\"tool\":\"dwelvane\"}");
  const std::pair<std::string, std::string> cases[] = {
      {"missing.json", "missing.json"},
      {"truncated.json", "byte 13"},
      {"no_findings.json", "no \"findings\" array"},
  };
  for (const auto& [file, said] : cases) {
    const CliRun run = RunCheck(folder, "check --baseline " + file + " p");
    EXPECT_EQ(run.exit_code, 1) << file;
    EXPECT_EQ(run.out, "") << file;
    EXPECT_NE(run.err.find(said), std::string::npos) << file << ": " << run.err;
  }
}

// What --write-baseline writes, --baseline reads back: the same findings are old news,
// however far their lines move; the machine-readable forms name every finding.
TEST(CheckGatesTest, FindingsWrittenAsABaselineAndInEachFormat) {
  TempFolder folder;
  folder.Write("p/game.wpr", "");
  folder.Write("p/scr/a.script", "a.Talk(x);\nb.Talk(\"Hi\", \"gone.ogg\");\n");
  const CliRun written = RunCheck(folder, "check --write-baseline base.json p");
  EXPECT_EQ(written.exit_code, 3) << written.err;
  folder.Write("p/scr/a.script", "\n\n// moved\na.Talk(x);\nb.Talk(\"Hi\", \"gone.ogg\");\n");
  const CliRun again = RunCheck(folder, "check --baseline base.json p");
  EXPECT_EQ(again.exit_code, 0) << again.err;
  EXPECT_EQ(again.out, "");
  const struct {
    const char* format;
    const char* first_line_start;
  } cases[] = {
      {"json", "{\"tool\":\"dwelvane\""},
      {"sarif", "{"},
      {"github", "::warning file=scr/a.script,line=4,title=no-sentence::"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCheck(folder, std::string("check --format ") + c.format + " p");
    EXPECT_EQ(run.exit_code, 3) << c.format << run.err;
    EXPECT_TRUE(run.out.starts_with(c.first_line_start)) << c.format << ": " << run.out;
    EXPECT_NE(run.out.find("gone.ogg"), std::string::npos) << c.format;
  }
}

}  // namespace
}  // namespace dwelvane

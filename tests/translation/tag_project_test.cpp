#include "translation/tag_project.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sstream>
#include <string>

#include "cli_runner.h"
#include "project_files.h"
#include "runtime/file_faults.h"
#include "runtime/program_paths.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using namespace testing;

const Files kProject = {
    {"game.wpr", "[Package1]\r\nFolder=data\r\nPrimary=1\r\n"},
    {"data/startup.settings", "SETTINGS {\r\n  STRING_TABLE=\"lang\\string.tab\"\r\n}\r\n"},
    {"data/lang/string.tab", kBom + "; greetings\r\ndlg_0041\tOld line\r\nintro\tWelcome\r\n"},
    {"data/scenes/harbour.script",
     "actor.Talk(\"Hello\");  \r\n"
     "actor.Talk(\"/intro/Welcome\");\r\n"
     "Game.AddResponse(0, \"Say ~\"yes~\"\");\r\n"
     "actor.Talk(\"One~nTwo\", \"speech\\one.ogg\");\r\n"
     "actor.Talk(Text);\r\n"
     "actor.Talk(\"\");\r\n"
     "/* actor.Talk(\"commented\"); */\n"
     "actor.Talk(\"/dlg_0007/No entry yet\");"},
    {"data/scenes/quay.script", "Molly.Talk(\"Hello\");\nGuard.Talk(\"Hello\");\n"},
};

TagReport Tag(const TempFolder& folder, TagOptions options = {}) {
  options.project_folder = EnsureTrailingSeparator(folder.Path());
  DialogueTable records;
  Progress progress;
  return TagProject(options, records, progress, {});
}

TEST(TagProjectTest, TagsEveryLiteralLineOnceAndTheTableGetsTheEntries) {
  TempFolder folder;
  WriteProject(folder, kProject);
  const TagReport report = Tag(folder);
  EXPECT_TRUE(report.left_alone.empty());
  EXPECT_FALSE(report.failure.Failed());
  EXPECT_EQ(ReadFileBytes(folder.Join("data/scenes/harbour.script")),
            "actor.Talk(\"/dlg_0042/Hello\");  \r\n"
            "actor.Talk(\"/intro/Welcome\");\r\n"
            "Game.AddResponse(0, \"/dlg_0043/Say ~\"yes~\"\");\r\n"
            "actor.Talk(\"/dlg_0044/One~nTwo\", \"speech\\one.ogg\");\r\n"
            "actor.Talk(Text);\r\n"
            "actor.Talk(\"\");\r\n"
            "/* actor.Talk(\"commented\"); */\n"
            "actor.Talk(\"/dlg_0007/No entry yet\");");
  EXPECT_EQ(ReadFileBytes(folder.Join("data/scenes/quay.script")),
            "Molly.Talk(\"/dlg_0045/Hello\");\nGuard.Talk(\"/dlg_0046/Hello\");\n");
  // The existing ID's entry comes first: it was there before any new one.
  EXPECT_EQ(ReadFileBytes(folder.Join("data/lang/string.tab")),
            kBom +
                "; greetings\r\ndlg_0041\tOld line\r\nintro\tWelcome\r\n"
                "dlg_0007\tNo entry yet\r\n"
                "dlg_0042\tHello\r\n"
                "dlg_0043\tSay \"yes\"\r\n"
                "dlg_0044\tOne|Two\r\n"
                "dlg_0045\tHello\r\n"
                "dlg_0046\tHello\r\n");
  EXPECT_EQ(report.lines_tagged, 5u);
  EXPECT_EQ(report.scripts_changed, 2u);
  EXPECT_EQ(report.entries_added, 6u);

  const Files before = ReadTree(folder.Path());
  const TagReport again = Tag(folder);
  EXPECT_EQ(again.lines_tagged + again.entries_added, 0u);
  EXPECT_EQ(ReadTree(folder.Path()), before);
}

TEST(TagProjectTest, IdenticalTextsOfOneCharacterShareAnId) {
  TempFolder folder;
  WriteProject(folder,
               {{"game.wpr", ""},
                {"a.script", "Molly.Talk(\"Hi\");\nGuard.Talk(\"Hi\");\nMolly.Talk(\"Hi\");\n"},
                {"b.script", "Molly.Talk(\"/old_1/Bye\");\nMolly.Talk(\"Bye\");\n"}});
  TagOptions options;
  options.share_identical = true;
  Tag(folder, options);
  EXPECT_EQ(ReadFileBytes(folder.Join("a.script")),
            "Molly.Talk(\"/dlg_0001/Hi\");\nGuard.Talk(\"/dlg_0002/Hi\");\n"
            "Molly.Talk(\"/dlg_0001/Hi\");\n");
  EXPECT_EQ(ReadFileBytes(folder.Join("b.script")),
            "Molly.Talk(\"/old_1/Bye\");\nMolly.Talk(\"/old_1/Bye\");\n");
}

// A table without a byte order mark is Windows-1252: a UTF-8 script's text is converted,
// and a text the code page lacks is named and its line left as it was.
TEST(TagProjectTest, ACodePageTableTakesWhatItCanHold) {
  TempFolder folder;
  WriteProject(folder, {{"game.wpr", ""},
                        {"English/STRING.TAB", "x\ty\r\n"},
                        {"a.script", "Molly.Talk(\"Grüße\");\nMolly.Talk(\"Łódź\");\n"},
                        {"b.script",
                         "Guard.Talk(\"Gr\xFC\xDF"
                         "e\");\n"}});
  const TagReport report = Tag(folder);
  ASSERT_EQ(report.left_alone.size(), 1u);
  EXPECT_EQ(report.left_alone[0].line, 2);
  EXPECT_EQ(report.left_alone[0].reason, LeftAloneReason::kNotInCodePage);
  EXPECT_EQ(ReadFileBytes(folder.Join("a.script")) + ReadFileBytes(folder.Join("b.script")),
            "Molly.Talk(\"/dlg_0001/Grüße\");\nMolly.Talk(\"Łódź\");\n"
            "Guard.Talk(\"/dlg_0002/Gr\xFC\xDF"
            "e\");\n");
  EXPECT_EQ(ReadFileBytes(folder.Join("English/STRING.TAB")),
            "x\ty\r\ndlg_0001\tGr\xFC\xDF"
            "e\r\ndlg_0002\tGr\xFC\xDF"
            "e\r\n");
}

TEST(TagProjectTest, AMissingTableIsMadeInTheEncodingAskedFor) {
  for (const bool utf8 : {false, true}) {
    TempFolder folder;
    WriteProject(folder, {{"game.wpr", ""}, {"a.script", "Molly.Talk(\"Hi\");\n"}});
    TagOptions options;
    options.new_table_encoding = utf8 ? TableEncoding::kUtf8WithBom : TableEncoding::kWindows1252;
    const TagReport report = Tag(folder, options);
    EXPECT_EQ(ReadFileBytes(report.table_path), (utf8 ? kBom : "") + "dlg_0001\tHi\r\n");
  }
}

TEST(TagProjectTest, AScriptTheEngineRefusesIsLeftAlone) {
  TempFolder folder;
  const std::string broken = "Molly.Talk(\"Hi\");\nMolly.Talk(\"unclosed);\n";
  WriteProject(folder, {{"game.wpr", ""}, {"a.script", broken}});
  const TagReport report = Tag(folder);
  ASSERT_EQ(report.left_alone.size(), 1u);
  EXPECT_EQ(report.left_alone[0].reason, LeftAloneReason::kBrokenLiteral);
  EXPECT_EQ(ReadFileBytes(folder.Join("a.script")), broken);
}

// The lines of a file, sorted: the entries a finishing run adds come in script order.
std::vector<std::string> SortedLines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  std::ranges::sort(lines);
  return lines;
}

// Whichever write fails, the files are each as they were or as they are meant to be, and
// a second run finishes the job: the scripts as one run without a failure makes them, the
// table with the same entries, each once.
TEST(TagProjectTest, AFailedWriteLeavesNothingThatTheNextRunCantFinish) {
  TempFolder expected;
  WriteProject(expected, kProject);
  Tag(expected);
  for (const platform::FileCall call : {platform::FileCall::kWrite, platform::FileCall::kRename}) {
    for (int failing = 1; failing <= 3; ++failing) {
      SCOPED_TRACE(std::to_string(failing));
      TempFolder folder;
      WriteProject(folder, kProject);
      int seen = 0;
      TagReport failed;
      {
        const platform::ScopedFileFaults faults([&](const platform::FileCallInfo& info) {
          return info.call == call && ++seen == failing ? ENOSPC : 0;
        });
        failed = Tag(folder);
      }
      EXPECT_TRUE(failed.failure.Failed());
      Tag(folder);
      Files now = ReadTree(folder.Path()), meant = ReadTree(expected.Path());
      EXPECT_EQ(SortedLines(now["data/lang/string.tab"]),
                SortedLines(meant["data/lang/string.tab"]));
      now.erase("data/lang/string.tab");
      meant.erase("data/lang/string.tab");
      EXPECT_EQ(now, meant);
    }
  }
}

TEST(TagCommandTest, ADryRunPrintsWhatPatchAppliesAndWritesNothing) {
  TempFolder folder;
  WriteProject(folder, kProject);
  TempFolder tagged;
  WriteProject(tagged, kProject);
  Tag(tagged);
  const CliRun dry = RunDwelvaneCli(folder, {"tag", "--dry-run", folder.Path()});
  ASSERT_EQ(dry.exit_code, 0) << dry.err;
  // Less the output files the CLI runner keeps beside the project.
  const auto read_project = [&] {
    Files files = ReadTree(folder.Path());
    files.erase(".out");
    files.erase(".err");
    return files;
  };
  EXPECT_EQ(read_project(), kProject);
  const std::string command = "cd " + QuoteForShell(folder.Path()) + " && patch -s -p1 --binary";
  FILE* patch = popen(command.c_str(), "w");
  ASSERT_NE(patch, nullptr);
  std::fwrite(dry.out.data(), 1, dry.out.size(), patch);
  ASSERT_EQ(pclose(patch), 0) << dry.out;
  EXPECT_EQ(read_project(), ReadTree(tagged.Path()));
}

TEST(TagCommandTest, ExitCodesSayWhetherEverythingWasTagged) {
  TempFolder folder;
  WriteProject(
      folder,
      {{"game.wpr", ""}, {"English/STRING.TAB", ""}, {"a.script", "Molly.Talk(\"Łódź\");\n"}});
  const CliRun left = RunDwelvaneCli(folder, {"tag", folder.Path()});
  EXPECT_EQ(left.exit_code, 3);
  EXPECT_NE(left.err.find("a.script:1: the string table's code page"), std::string::npos)
      << left.err;
  EXPECT_EQ(RunDwelvaneCli(folder, {"tag", "--prefix", "a b", folder.Path()}).exit_code, 2);
}

}  // namespace
}  // namespace dwelvane

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogue/dialogue_check.h"
#include "dialogue/speaker_budget.h"
#include "dialogue/speaker_report.h"
#include "runtime/path_separator.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

struct Line {
  std::string_view speaker, sentence, audio, reference;
  SourceEncoding encoding = SourceEncoding::kAscii;
  std::string_view script = "a.script";
  std::int64_t number = 1;
};

DialogueTable TableOf(std::initializer_list<Line> lines, std::string_view folder = "") {
  DialogueTable table;
  for (const Line& line : lines) {
    DialogueRecord& record = table.AppendRecord();
    record = {table.StoreText(folder), line.script, line.number,  line.speaker, line.reference, {},
              line.sentence,           line.audio,  line.encoding};
  }
  return table;
}

std::string Budgets(const std::vector<SpeakerBudget>& budgets) {
  std::string text;
  for (const SpeakerBudget& b : budgets) {
    text += "[" + b.speaker + "] " + std::to_string(b.lines) + " " + std::to_string(b.words) + " " +
            std::to_string(b.lines_with_audio) + " " + std::to_string(b.lines_without_audio) + "\n";
  }
  return text;
}

TEST(SpeakerBudgetTest, CountsWordsAsRunsBetweenSpacesTabsAndLineEnds) {
  const std::pair<std::string_view, std::int64_t> cases[] = {
      {"", 0},        {" Halt,  stranger! ", 2},    {"a\tb\rc\nd", 4},
      {"dlg_1/x", 1}, {"\xC3\xA9t\xC3\xA9 ici", 2},
  };
  for (const auto& [sentence, words] : cases) {
    EXPECT_EQ(CountWords(sentence), words) << sentence;
  }
}

TEST(SpeakerBudgetTest, GroupsTrimmedSpeakersMostWordsFirstAndTotalsThem) {
  const DialogueTable table = TableOf({
      {"actor", "One two", "a.ogg", ""},
      {"\tactor", "three", "", "id"},
      {"\t\tactor ", "", "", ""},
      {"Bob", "four five six", "", ""},
      {"Al", "seven eight nine", "", ""},
      {"M\xFCller", "x", "", "", SourceEncoding::kWindows1252},
      {"M\xC3\xBCller", "y", "", "", SourceEncoding::kUtf8},
  });
  EXPECT_EQ(Budgets(CountSpeakerBudgets(table, false)),
            "[Al] 1 3 0 1\n[Bob] 1 3 0 1\n[actor] 3 3 1 2\n[M\xC3\xBCller] 1 1 0 1\n"
            "[M\xFCller] 1 1 0 1\n[total] 7 11 1 6\n")
      << "equal words go by the names' bytes";
  EXPECT_EQ(Budgets(CountSpeakerBudgets(table, true)),
            "[Al] 1 3 0 1\n[Bob] 1 3 0 1\n[actor] 3 3 1 2\n[M\xC3\xBCller] 2 2 0 2\n"
            "[total] 7 11 1 6\n")
      << "one speaker whatever the encoding of its scripts";
}

std::string Report(const DialogueTable& table, SpeakerFormat format) {
  TempFolder folder;
  LineWriter writer;
  EXPECT_FALSE(writer.FileCreate(folder.Join("out")).Failed());
  ProjectFileIndex files;
  files.Add("sounds/speech/GULL.ogg");
  WriteSpeakerReport(CountSpeakerBudgets(table, false, false, &files), format, "Demo", writer);
  EXPECT_FALSE(writer.FileClose().Failed());
  return testing::ReadFileBytes(folder.Join("out"));
}

TEST(SpeakerReportTest, WritesAlignedTextRfc4180AndOneSelfContainedPage) {
  const DialogueTable table = TableOf({
      {"Scene.GetNode(\"Gull, the\")", "Squawk!", "gull.ogg", ""},
      {"Molly", "A crate full of ropes.", "", ""},
  });
  EXPECT_EQ(Report(table, SpeakerFormat::kText),
            "speaker                     lines  words  with audio  without audio  recorded\r\n"
            "Molly                           1      5           0              1         0\r\n"
            "Scene.GetNode(\"Gull, the\")      1      1           1              0         1\r\n"
            "total                           2      6           1              1         1\r\n");
  EXPECT_EQ(Report(table, SpeakerFormat::kCsv),
            "speaker,lines,words,with_audio,without_audio,recorded\r\n"
            "Molly,1,5,0,1,0\r\n"
            "\"Scene.GetNode(\"\"Gull, the\"\")\",1,1,1,0,1\r\n"
            "total,2,6,1,1,1\r\n");
  const std::string page = Report(table, SpeakerFormat::kHtml);
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
  EXPECT_NE(page.find("<td>Scene.GetNode(&quot;Gull, the&quot;)</td>"), std::string::npos);
  EXPECT_NE(page.find("<span class=\"recorded\" style=\"width:0.0%\"></span>"
                      "<span class=\"with\" style=\"width:0.0%\"></span>"
                      "<span class=\"without\" style=\"width:100.0%\"></span>"),
            std::string::npos)
      << "Molly's bar is the longest, all without audio";
  EXPECT_NE(page.find("<span class=\"recorded\" style=\"width:20.0%\"></span>"
                      "<span class=\"with\" style=\"width:0.0%\"></span>"),
            std::string::npos)
      << "the gull's one word is recorded";
  for (const char* outside : {"http", " src=", "<script", "<link", "@import", "url("}) {
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  }
}

TEST(DialogueCheckTest, FindsEachKindOnceWhereItStands) {
  ProjectFileIndex files;
  files.Add("sounds/Speech/Hello.OGG");
  files.Add("bye.ogg");
  StringTable strings;
  TempFolder folder;
  ASSERT_FALSE(strings.Load(folder.Write("STRING.TAB", "known\tKnown\r\nempty\t\r\n")).Failed());
  const std::string root = std::string("P") + kPathSeparator;
  const DialogueTable table = TableOf(
      {
          {"a", "Hello", "speech\\hello.ogg", "known", SourceEncoding::kAscii, "a.script", 1},
          {"a", "Bye", "BYE.ogg", "EMPTY", SourceEncoding::kAscii, "a.script", 2},
          {"a", "Hello", "sounds/speech/hello.ogg", "Known", SourceEncoding::kAscii, "a.script", 3},
          {"a", "Hullo", "ech/hello.ogg", "KNOWN", SourceEncoding::kAscii, "b.script", 4},
          {"a", "", "", "", SourceEncoding::kAscii, "b.script", 5},
          {"a", "", "", "gone", SourceEncoding::kAscii, "b.script", 6},
          {"a", "Hi", "speech/hello.ogg", "", SourceEncoding::kAscii, "b.script", 7},
      },
      root + "sub" + kPathSeparator);
  std::string seen;
  for (const Finding& finding : CheckDialogue(table, root, files, &strings).list) {
    AppendFindingLine(seen, finding);
  }
  EXPECT_EQ(seen,
            "sub/b.script:4: warning: audio file 'ech/hello.ogg' is not in the project "
            "[missing-audio]\n"
            "sub/b.script:4: warning: ID 'KNOWN' is used at sub/a.script:1 for another sentence "
            "[reference-reused]\n"
            "sub/b.script:5: warning: no text to voice: the first argument is no text literal "
            "[no-sentence]\n"
            "sub/b.script:6: warning: the string table has no ID 'gone' [unknown-reference]\n"
            "sub/b.script:7: warning: audio file 'speech/hello.ogg' is used at sub/a.script:1 for "
            "another sentence [audio-reused]\n");
  EXPECT_EQ(CheckDialogue(table, root, files, nullptr).list.size(), 4u)
      << "no table: no ID checked";
}

// A script written on Windows names files in the ANSI code page; the walk lists them as the
// program keeps names: UTF-8 on Windows (Windows-1252 under Wine), the bytes elsewhere.
TEST(DialogueCheckTest, MatchesAndNamesFilesInTheSystemsCodePage) {
#ifdef _WIN32
  const std::string kept_german = "K\xC3\xB6nig";
#else
  const std::string kept_german = "K\xF6nig";
#endif
  const std::string polish = "\xC5\xBB\xC3\xB3\xC5\x82w";  // no code page of Wine's holds it
  ProjectFileIndex files;
  files.Add("sounds/" + kept_german + ".ogg");
  const std::string root = std::string("P") + kPathSeparator;
  const DialogueTable german =
      TableOf({{"a", "Hello", "K\xF6nig.ogg", "", SourceEncoding::kWindows1252, "a.script", 1},
               {"a", "Bye", "K\xF6nig.ogg", "", SourceEncoding::kWindows1252, "a.script", 2}},
              root + kept_german + kPathSeparator);
  std::string seen;
  for (const Finding& finding : CheckDialogue(german, root, files, nullptr).list) {
    AppendFindingLine(seen, finding);
  }
  EXPECT_EQ(
      seen,
      "K\xF6nig/a.script:2: warning: audio file 'K\xF6nig.ogg' is used at K\xF6nig/a.script:1 "
      "for another sentence [audio-reused]\n");
  const DialogueTable polish_table =
      TableOf({{"a", "Hello", "", "", SourceEncoding::kAscii, "a.script", 1}},
              root + polish + kPathSeparator);
  EXPECT_EQ(RelativeScriptPath(polish_table.Record(0), root), polish + "/a.script");
}

}  // namespace
}  // namespace dwelvane

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogue/baseline.h"
#include "dialogue/finding_lines.h"
#include "runtime/json_reader.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

TEST(JsonReaderTest, RefusesWhatRfc8259RefusesAndSaysAtWhichByte) {
  const std::string deep_ok = std::string(kJsonDepthLimit, '[') + std::string(kJsonDepthLimit, ']');
  const std::string too_deep =
      std::string(kJsonDepthLimit + 1, '[') + std::string(kJsonDepthLimit + 1, ']');
  struct Case {
    std::string text;
    bool read;
    std::size_t offset = 0;
  };
  const Case cases[] = {
      {" {\"k\":[true,false,null,-0.5E+2,0,1e9,\"\"]}\r\n", true},
      {deep_ok, true},
      {too_deep, false, kJsonDepthLimit},
      {"", false, 0},
      {"[1,2,]", false, 5},
      {"{\"a\" 1}", false, 5},
      {"{\"a\":1,}", false, 7},
      {"01", false, 1},
      {"{\"a\":1}x", false, 7},
      {"+1", false, 0},
      {"1.", false, 2},
      {"1e+", false, 3},
      {"tru", false, 0},
      {"\"abc", false, 4},
      {"\"a\x01\"", false, 2},
      {"\"a\\x\"", false, 3},
      {"\"\\u12g4\"", false, 5},
      {"\"\\ud83d\"", false, 7},
      {"\"\\ud83d\\u0041\"", false, 13},
      {"\"\\ude00\"", false, 7},
      {"[1 2]", false, 3},
  };
  for (const Case& c : cases) {
    JsonError error;
    const auto value = ReadJson(c.text, error);
    EXPECT_EQ(value.has_value(), c.read) << c.text;
    if (!c.read) {
      EXPECT_EQ(error.offset, c.offset) << c.text << ": " << error.message;
      EXPECT_FALSE(error.message.empty()) << c.text;
    }
  }
}

TEST(JsonReaderTest, DecodesEveryEscapeToUtf8AndKeepsMembersInOrder) {
  JsonError error;
  const auto value = ReadJson(
      "{\"s\":\"\\\"\\\\\\/\\b\\f\\n\\r\\t\\u0041\\u00e9\\u20AC\\ud83d\\ude00\xC3\xA9\","
      "\"n\":-12.5e1,\"s\":\"second\",\"a\":[null,true]}",
      error);
  ASSERT_TRUE(value.has_value()) << error.message;
  ASSERT_NE(value->Member("s"), nullptr);
  EXPECT_EQ(value->Member("s")->text,
            "\"\\/\b\f\n\r\tA\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\xA9");
  EXPECT_EQ(value->Member("n")->number, -125.0);
  EXPECT_EQ(value->keys, (std::vector<std::string>{"s", "n", "s", "a"}));
  EXPECT_EQ(value->Member("a")->items.size(), 2u);
  EXPECT_TRUE(value->Member("a")->items[1].boolean);
  EXPECT_EQ(value->Member("missing"), nullptr);
  EXPECT_EQ(value->Member("a")->Member("s"), nullptr) << "an array has no members";
}

TEST(FindingLinesTest, SilencesByTheCommentOnTheLineOrTheLineAbove) {
  struct Case {
    std::string line, above;
    FindingKind kind;
    bool silenced;
  };
  const FindingKind kNoSentence = FindingKind::kNoSentence;
  const Case cases[] = {
      {"a.Talk(x); // dwelvane: ignore no-sentence", "", kNoSentence, true},
      {"a.Talk(x);", "//dwelvane:ignore no-sentence", kNoSentence, true},
      {"x", "//  dwelvane  :  ignore  missing-audio ,  no-sentence ", kNoSentence, true},
      {"x // see below // dwelvane: ignore all", "", FindingKind::kOrphan, true},
      {"x // dwelvane: ignore missing-audio,all", "", kNoSentence, true},
      {"x // dwelvane: ignore missing-audio", "", kNoSentence, false},
      {"x // dwelvane: ignore no-sentences", "", kNoSentence, false},
      {"x // dwelvane: ignore", "", kNoSentence, false},
      {"x // dwelvane: ignoreall", "", kNoSentence, false},
      {"x // dwelvane ignore all", "", kNoSentence, false},
      {"x /* dwelvane: ignore all */", "", kNoSentence, false},
      {"x // ignore all", "", kNoSentence, false},
      {"x // dwelvane: ignore missing-audio no-sentence", "", kNoSentence, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSilenced(c.line, c.above, c.kind), c.silenced) << c.line << " | " << c.above;
  }
}

TEST(FindingLinesTest, ReadsEachFindingsLineAndTheOneAboveTrimmed) {
  TempFolder project;
  project.Write("scr/a.script", "\t first \r\nsecond\r\n");
  const std::vector<Finding> list = {
      {.path = "scr/a.script", .line = 2, .kind = FindingKind::kNoSentence},
      {.path = "scr/a.script", .line = 1, .kind = FindingKind::kMissingAudio},
      {.path = "scr/a.script", .line = 9, .kind = FindingKind::kMissingAudio},
      {.path = "scr/gone.script", .line = 1, .kind = FindingKind::kNoSentence},
      {.path = "scr/a.script", .line = 2, .kind = FindingKind::kOrphan},
  };
  Findings findings;
  findings.list = list;
  const FindingLines lines = ReadFindingLines(findings, project.Path() + "/");
  EXPECT_EQ(lines.text, (std::vector<std::string>{"second", "first", "", "", ""}));
  EXPECT_EQ(lines.above, (std::vector<std::string>{"first", "", "", "", ""}));
}

TEST(BaselineTest, ReadsTheFindingsAndRefusesAnythingElse) {
  std::vector<BaselineEntry> entries;
  std::string error;
  ASSERT_TRUE(ReadBaseline(
      "{\"tool\":\"dwelvane\",\"findings\":[{\"kind\":\"no-sentence\",\"severity\":\"warning\","
      "\"file\":\"a.script\",\"line\":3,\"text\":\"a.Talk(x);\",\"hint\":null}]}",
      entries, error))
      << error;
  EXPECT_EQ(entries, (std::vector<BaselineEntry>{{"no-sentence", "a.script", "a.Talk(x);"}}));
  for (const char* bad : {"{", "[]", "{\"findings\":{}}", "{\"findings\":[{\"kind\":\"k\"}]}",
                          "{\"findings\":[{\"kind\":\"k\",\"file\":\"f\",\"text\":3}]}"}) {
    EXPECT_FALSE(ReadBaseline(bad, entries, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(BaselineTest, EachEntryHidesOneFindingOfItsKindScriptAndText) {
  const std::vector<Finding> list = {
      {.path = "a.script", .line = 7, .kind = FindingKind::kNoSentence},
      {.path = "a.script", .line = 9, .kind = FindingKind::kNoSentence},
      {.path = "b.script", .line = 1, .kind = FindingKind::kNoSentence},
      {.path = "a.script", .line = 7, .kind = FindingKind::kMissingAudio},
  };
  Findings findings;
  findings.list = list;
  FindingLines lines{{"x", "x", "x", "x"}, {"", "", "", ""}};
  DropBaselineFindings({{"no-sentence", "a.script", "x"}, {"missing-audio", "a.script", "y"}},
                       findings, lines);
  ASSERT_EQ(findings.list.size(), 3u);
  EXPECT_EQ(findings.list[0].line, 9);
  EXPECT_EQ(findings.list[1].path, "b.script");
  EXPECT_EQ(findings.list[2].kind, FindingKind::kMissingAudio);
  EXPECT_EQ(lines.text.size(), 3u);
}

}  // namespace
}  // namespace dwelvane

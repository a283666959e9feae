#include "dialogue/talk_line_parser.h"

#include <gtest/gtest.h>

namespace dwelvane {
namespace {

struct Expected {
  std::string_view line, speaker, sentence, audio_file, reference;
};

TEST(TalkLineParserTest, CutsEveryShapeOfCall) {
  const Expected cases[] = {
      {R"(Game.Talk("Hi","hi.ogg");)", "Game", "Hi", "hi.ogg", ""},
      {"\tguard.Talk(\"/dlg_0042/Halt! Who goes there?\", \"halt.ogg\");", "\tguard",
       "Halt! Who goes there?", "", "dlg_0042"},
      {R"(x = guard.TalkAsync("Run!");)", "guard", "Run!", "", ""},
      {R"(case 2: guard.Talk("Hi");)", "guard", "Hi", "", ""},
      {R"(.Talk("Hi");)", "", "Hi", "", ""},
      {R"(Scene.GetNode("Guard").Talk("Hi");)", R"(Scene.GetNode("Guard"))", "Hi", "", ""},
      {R"(// guard.Talk("old line");)", "guard", "old line", "", ""},
      {R"(guard.Talk("Hi"); Game.Msg("a","b");)", "guard", "Hi", "b", ""},
      {R"(guard.Talk(text);)", "guard", "", "", ""},
      {R"(guard.Talk()", "guard", "", "", ""},
      {R"(guard.Talk("Hello)", "guard", "", "", ""},
      {R"(guard.Talk("//Hello");)", "guard", "Hello", "", ""},
      {R"(guard.Talk("/dlg_1");)", "guard", "/dlg_1", "", ""},
      {R"(guard.Talk("/dlg_1/");)", "guard", "", "", "dlg_1"},
      {R"(a:b c.Talk("x");)", "c", "x", "", ""},
      {R"(a.Talk: b.Talk("x");)", "b", "x", "", ""},
      {R"(guard.Talk("He said \"no\"");)", "guard", "He said \\", "", ""},
      {R"(g.Talk("a","b)", "g", "a", "", ""},
      {"g.Talk(\"\xE4\xFC\",\"\xDF.ogg\");", "g", "\xE4\xFC", "\xDF.ogg", ""},
  };
  for (const Expected& c : cases) {
    TalkLine talk;
    ASSERT_TRUE(ParseTalkLine(c.line, talk)) << c.line;
    EXPECT_EQ(talk.speaker, c.speaker) << c.line;
    EXPECT_EQ(talk.sentence, c.sentence) << c.line;
    EXPECT_EQ(talk.audio_file, c.audio_file) << c.line;
    EXPECT_EQ(talk.reference, c.reference) << c.line;
  }
}

TEST(TalkLineParserTest, PrefersTheFirstTalkOverAnEarlierTalkAsync) {
  TalkLine talk;
  ASSERT_TRUE(ParseTalkLine(R"(a.TalkAsync("one"); b.Talk("two");)", talk));
  EXPECT_EQ(talk.speaker, "b");
  EXPECT_EQ(talk.sentence, "two");
  ASSERT_TRUE(ParseTalkLine(R"(a.TalkAsync("one"); b.TalkAsync("two");)", talk));
  EXPECT_EQ(talk.sentence, "one");
}

}  // namespace
}  // namespace dwelvane

#include "script/script_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace dwelvane {
namespace {

// Every spoken line as "KIND LINE RECEIVER|TEXT|AUDIO", a choice with "<N" for the index of
// the talk call that says it; "-" for no text.
std::string Render(const ScriptFacts& facts) {
  std::string out;
  for (const SpokenLine& spoken : facts.spoken) {
    out += spoken.kind == LineKind::kTalk    ? "talk "
           : spoken.kind == LineKind::kAsync ? "async "
                                             : "choice ";
    out += std::to_string(spoken.line) + " " + std::string(spoken.receiver) + "|";
    out += spoken.text.form == ValueForm::kText ? std::string(spoken.text.text) : "-";
    out += "|" + std::string(spoken.audio);
    if (spoken.kind == LineKind::kChoice) {
      out += "<" + std::to_string(spoken.said_by);
    }
    out += "\n";
  }
  for (const BrokenLiteral& broken : facts.broken) {
    out += "broken " + std::to_string(broken.line) + (broken.too_long ? " long" : "") + "\n";
  }
  return out;
}

std::string Read(std::string_view script) {
  ScriptFacts facts;
  ReadScript(script, facts);
  return Render(facts);
}

// As a line reader hands a script over: a run per line, in a buffer that is overwritten
// before the next run comes, as the reader's own is.
std::string ReadLineByLine(std::string_view script) {
  ScriptReader reader;
  ScriptFacts facts;
  reader.Start(facts);
  std::string buffer;
  while (!script.empty()) {
    std::size_t end = script.find_first_of(std::string_view("\r\n\0", 3));
    end = end == std::string_view::npos ? script.size() : end + 1;
    end += script[end - 1] == '\r' && end < script.size() && script[end] == '\n' ? 1 : 0;
    buffer.assign(script.substr(0, end));
    reader.Read(buffer);
    buffer.assign(buffer.size(), 'Z');
    script.remove_prefix(end);
  }
  reader.Finish();
  return Render(facts);
}

TEST(ScriptReaderTest, ReadsTalkCallsAsTheCompilerDoes) {
  const struct {
    std::string script;
    std::string_view expected;
  } cases[] = {
      {R"(actor.Talk("~"Wintermute Engine: User's manual.~"");)",
       "talk 1 actor|\"Wintermute Engine: User's manual.\"|\n"},
      {R"(a.Talk("x~ny~~z~q");)", "talk 1 a|x\ny~z~q|\n"},
      {R"(actor.Talk("Hi there!", "g1.ogg");)", "talk 1 actor|Hi there!|g1.ogg\n"},
      {R"(actor.Talk("Bye", "bye.ogg", true);)", "talk 1 actor|Bye|bye.ogg\n"},
      {R"(a.Talk("1"); b.TalkAsync("2");)", "talk 1 a|1|\nasync 1 b|2|\n"},
      {"// a.Talk(\"no\");\n/* a.Talk(\"no\"); /* nested */ b.Talk(\"no\"); */ c.Talk(\"yes\");",
       "talk 2 c|yes|\n"},
      {"/* a\n b */\n\n  guard . Talk ( \"Hi\" )", "talk 4 guard|Hi|\n"},
      {R"(a.Talk("a" + "b" + "c");)", "talk 1 a|abc|\n"},
      {R"(a.Talk("a" + x);)", "talk 1 a|-|\n"},
      {R"(a.Talk(text, "t.ogg");)", "talk 1 a|-|t.ogg\n"},
      {R"(Scene.GetNode("Gull").Talk("Squawk!","gull.ogg");)",
       "talk 1 Scene.GetNode(\"Gull\")|Squawk!|gull.ogg\n"},
      {R"(Actors[i].Talk("x");)", "talk 1 Actors[i]|x|\n"},
      {R"*(x = "a.Talk(~"no~")"; a.talk("no"); .Talk("y");)*", "talk 1 |y|\n"},
      {"a.Talk(\"one\nb.Talk(\"two\");", "talk 2 b|two|\nbroken 1\n"},
      {"\xEF\xBB\xBFg.Talk(\"\xC3\xA4\");", "talk 1 g|\xC3\xA4|\n"},
      {"a.Talk(\"x\");\r\nb.Talk(\"y\");\rc.Talk(\"z\");",
       "talk 1 a|x|\ntalk 2 b|y|\ntalk 3 c|z|\n"},
      {"a.Talk(\"" + std::string(4097, 'x') + "\");", "broken 1 long\n"},
      {"a.Talk(\"x\"", ""},
      {"/* never closed a.Talk(\"x\");", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.script), c.expected) << c.script;
    EXPECT_EQ(ReadLineByLine(c.script), c.expected) << c.script;
  }
}

TEST(ScriptReaderTest, FindsChoicesAndWhoSaysThem) {
  const struct {
    std::string_view script, expected;
  } cases[] = {
      {"Game.AddResponse(0, \"What now, sir?\");\nGame.AddResponseOnce(1, \"Bye\");\n"
       "var r = Game.WaitForResponse();\nactor.Talk(Game.LastResponse);",
       "choice 1 |What now, sir?|<2\nchoice 2 |Bye|<2\ntalk 4 actor|-|\n"},
      {"Responses[0] = \"Who are you?\";\nResponses[1] = \"Bye\";\nOther[0] = \"not said\";\n"
       "actor.Talk(Responses[Selected]);",
       "choice 1 |Who are you?|<2\nchoice 2 |Bye|<2\ntalk 4 actor|-|\n"},
      {"Lines[0] = \"Hi\";\nGame.AddResponseOnceGame(0, Lines[0]);\nme.Talk(Game.LastResponse);",
       "choice 1 |Hi|<1\ntalk 3 me|-|\n"},
      {"Game.AddResponse(0, \"Unsaid\");", "choice 1 |Unsaid|<-1\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.script), c.expected) << c.script;
    EXPECT_EQ(ReadLineByLine(c.script), c.expected) << c.script;
  }
}

// Far more tokens than the reader keeps, with calls before, between and after them.
TEST(ScriptReaderTest, ReadsALongScriptThroughItsWindow) {
  std::string script = "a.Talk(\"first\");\n";
  for (int i = 0; i < 20000; ++i) {
    script += "x = y + 1; /* a\n comment */\n";
  }
  script += "b.Talk(\"mid\"); Game.AddResponse(1, \"Go\");\n";
  for (int i = 0; i < 20000; ++i) {
    script += "f(1, 2);\n";
  }
  script += "c.Talk(Game.LastResponse);";
  const std::string expected =
      "talk 1 a|first|\ntalk 40002 b|mid|\nchoice 40002 |Go|<3\ntalk 60003 c|-|\n";
  EXPECT_EQ(Read(script), expected);
  EXPECT_EQ(ReadLineByLine(script), expected);
}

TEST(ScriptReaderTest, NotesIncludesGlobalsAndWhatVariablesHold) {
  ScriptFacts facts;
  ReadScript(
      "#include \"scripts\\base.inc\"\n"
      "global Molly = Game.LoadActor(\"actors\\Molly\\Molly.actor\");\n"
      "var zif = Scene.GetNode(\"zif\");\nme = this;\nalias = zif;\nn = 5;\n"
      "Game.Interactive = false;\nif (a == b) x.Talk(\"\");",
      facts);
  ASSERT_EQ(facts.includes.size(), 1u);
  EXPECT_EQ(facts.includes[0].file, "scripts\\base.inc");
  ASSERT_EQ(facts.globals.size(), 1u);
  EXPECT_EQ(facts.globals[0], "Molly");
  std::string assignments;
  for (const ScriptAssignment& a : facts.assignments) {
    assignments += std::string(a.name) + "=" + std::to_string(static_cast<int>(a.value.form)) +
                   ":" + std::string(a.value.text) + "@" + std::to_string(a.line) + " ";
  }
  EXPECT_EQ(assignments,
            "Molly=5:actors\\Molly\\Molly.actor@2 zif=4:zif@3 me=2:this@4 alias=3:zif@5 ");
}

}  // namespace
}  // namespace dwelvane

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "cli_runner.h"
#include "dialogue/script_discovery.h"
#include "runtime/program_paths.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

using Files = std::map<std::string, std::string>;

// Every record of the project read in the engine's syntax with characters, one line each,
// sorted (the walk takes folders in the system's order):
// "NAME:LINE KIND SPEAKER -> CHARACTER: SENTENCE".
std::string ReadProject(const Files& files, std::vector<CharacterAlias> aliases = {}) {
  TempFolder project;
  for (const auto& [path, bytes] : files) {
    project.Write(path, bytes);
  }
  DialogueTable table;
  Progress progress;
  const ScanRules rules{.scripts = {},
                        .syntax = ScriptSyntax::kEngine,
                        .characters = true,
                        .aliases = std::move(aliases)};
  ScanDialogue(EnsureTrailingSeparator(project.Path()), rules, {}, table, progress, {});
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    const DialogueRecord& r = table.Record(i);
    lines.push_back(std::string(r.ScriptName) + ":" + std::to_string(r.ScriptLine) + " " +
                    std::string(LineKindName(r.Kind)) + " " + std::string(r.Speaker) + " -> " +
                    std::string(r.Character) + ": " + std::string(r.Sentence) + "\n");
  }
  std::sort(lines.begin(), lines.end());
  std::string out;
  for (const std::string& line : lines) {
    out += line;
  }
  return out;
}

const Files kZif = {
    {"game.wpr", "[Package1]\r\nFolder=data\r\nPrimary=1\r\n"},
    {"data/scenes/base/base.scene",
     "SCENE {\n  LAYER {\n    ENTITY\n    {\n      NAME = \"zif\"\n      CAPTION=\"Commander "
     "Zif\"\n"
     "      SCRIPT=\"entities\\zif\\zif.script\"\n    }\n"
     "    ENTITY {\n      NAME=\"zif_aimless\"\n      SCRIPT = \"Entities\\Zif\\ZIF.script\"\n    "
     "}\n"
     "    ENTITY {\n      NAME=\"zif_phone\"\n      SCRIPT=\"entities\\zif\\zif_phone.script\"\n"
     "    }\n  }\n}\n"},
    {"data/entities/zif/zif_phone.entity",
     "ENTITY {\n  NAME=\"zif_phone_left\"\n  SCRIPT=\"entities\\zif\\zif_phone.script\"\n"
     "  CAPTION=\"Commander Zif\"\n}\n"},
    {"data/actors/zob.actor",
     "ACTOR\n{\n  NAME=\"Zob\"\n  SCRIPT=\"actors\\zob.script\"\n  ANIMATION {\n    NAME=\"walk\"\n"
     "  }\n}\n"},
    {"data/actors/zob.script", "this.Talk(\"I am Zob.\");\n"},
    {"data/entities/zif/zif.script", "this.Talk(\"Report!\");\n"},
    {"data/entities/zif/zif_phone.script", "this.Talk(\"Hello?\");\n"},
    {"data/scripts/base.inc", "global actor;\nvar helper = Scene.GetNode(\"ZIF\");\n"},
    {"data/scripts/game.script",
     "#include \"scripts\\base.inc\"\n#include \"Scripts\\Base.inc\"\n"
     "actor = Game.LoadActor(\"actors\\zob.actor\");\n"},
    {"data/scenes/base/scr/talk.script",
     "#include \"scripts\\base.inc\"\nvar z = Scene.GetNode(\"Zif\");\nvar w = z;\n"
     "actor.Talk(\"Hi\"); w.Talk(\"Sir!\"); helper.TalkAsync(\"Yes?\");\n"
     "\t\tnobody.Talk(\"Who?\");\na = b; b = a; a.Talk(\"Loop\");\n"
     "Game.AddResponse(0, \"Bye\"); Game.WaitForResponse(); actor.Talk(Game.LastResponse);\n"},
};

TEST(EngineSyntaxTest, ResolvesWhoSpeaksFromWhatTheProjectSays) {
  EXPECT_EQ(ReadProject(kZif),
            "talk.script:4 async helper -> Commander Zif: Yes?\n"
            "talk.script:4 talk actor -> Zob: Hi\n"
            "talk.script:4 talk w -> Commander Zif: Sir!\n"
            "talk.script:5 talk nobody -> nobody: Who?\n"
            "talk.script:6 talk a -> a: Loop\n"
            "talk.script:7 choice actor -> Zob: Bye\n"
            "talk.script:7 talk actor -> Zob: \n"
            "zif.script:1 talk this -> Commander Zif: Report!\n"
            "zif_phone.script:1 talk this -> Commander Zif: Hello?\n"
            "zob.script:1 talk this -> Zob: I am Zob.\n");
}

TEST(EngineSyntaxTest, TheTeamsAliasesWin) {
  const std::string read =
      ReadProject(kZif, {{.speaker = "nobody", .character = "Narrator", .line = 1},
                         {.speaker = "actor", .character = "Zob the Great", .line = 2}});
  EXPECT_NE(read.find("talk actor -> Zob the Great: Hi"), std::string::npos) << read;
  EXPECT_NE(read.find("choice actor -> Zob the Great: Bye"), std::string::npos) << read;
  EXPECT_NE(read.find("nobody -> Narrator: Who?"), std::string::npos) << read;
}

// An included file's lines are its own and come once, where it is first included; the
// package folder the .wpr names is where includes are looked for, in any letter case.
TEST(EngineSyntaxTest, ReadsAnIncludedFileOnceAsItsOwn) {
  const Files files = {
      {"game.wpr", "[Package1]\r\nFolder=data\r\n"},
      {"data/a.script", "#include \"scripts\\SAY.inc\"\nx.Talk(\"a\");\n"},
      {"data/b.script",
       "#include \"scripts\\say.inc\"\n\n#include \"scripts\\say.inc\"\n"
       "y.Talk(\"b\");\n"},
      {"data/scripts/say.inc", "// shared\ns.Talk(\"inc\");\n"},
  };
  const std::string read = ReadProject(files);
  EXPECT_EQ(read.find("say.inc:2 talk s -> s: inc\n"), read.rfind("say.inc:2")) << read;
  EXPECT_NE(read.find("a.script:2 talk x"), std::string::npos) << read;
  EXPECT_NE(read.find("b.script:4 talk y"), std::string::npos) << read;
}

std::string SampleProject() {
  return std::string(DWELVANE_SOURCE_DIR) + "/examples/Demo";
}

std::string Golden(std::string_view name) {
  return ReadFileBytes(std::string(DWELVANE_SOURCE_DIR) + "/tests/data/" + std::string(name));
}

TEST(EngineSyntaxTest, SampleProjectsGoldens) {
  TempFolder folder;
  const struct {
    std::vector<std::string> words;
    std::string_view golden;
    int exit_code;
  } cases[] = {
      {{"dialogue", "--syntax", "engine", "--relative-paths", "--header", "--columns",
        "location,name,line,speaker,sentence,audio,reference,translate,character,kind", "--output",
        "-", SampleProject()},
       "demo_dialogue_engine.csv",
       0},
      {{"speakers", "--format", "csv", SampleProject()}, "demo_speakers_characters.csv", 0},
      {{"check", SampleProject()}, "demo_check_engine.txt", 3},
  };
  for (const auto& c : cases) {
    const testing::CliRun run = testing::RunDwelvaneCli(folder, c.words);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.golden << run.err;
    EXPECT_EQ(run.out, Golden(c.golden)) << c.golden;
  }
}

TEST(EngineSyntaxTest, ANamedCharactersFileMustBeReadable) {
  TempFolder folder;
  const testing::CliRun run = testing::RunDwelvaneCli(
      folder, {"speakers", "--characters", folder.Join("none.txt"), SampleProject()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("none.txt"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace dwelvane

// The recording script and the audio checks through the real command line, on the sample
// project and on small projects written for each case.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using namespace testing;

using Words = std::vector<std::string>;

const std::string kSource = DWELVANE_SOURCE_DIR;

CliRun Cli(const TempFolder& folder, const Words& words, int exit_code = 0) {
  CliRun run = RunDwelvaneCli(folder, words);
  EXPECT_EQ(run.exit_code, exit_code) << words[0] << "\n" << run.err;
  return run;
}

void CopySample(const TempFolder& folder) {
  std::filesystem::copy(kSource + "/examples/Demo", folder.Join("Demo"),
                        std::filesystem::copy_options::recursive);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

// The messages of HTML Tidy on the page (errors and warnings), after its exit status.
std::string TidyMessages(const TempFolder& folder, const std::string& page) {
#ifdef DWELVANE_TIDY_PATH
  const std::string path = folder.Write("page.html", page);
  const std::string report = folder.Join("tidy.txt");
  const int status = std::system(
      (std::string(DWELVANE_TIDY_PATH) + " -errors -quiet '" + path + "' 2>'" + report + "'")
          .c_str());
  return std::to_string(status) + ReadFileBytes(report);
#else
  (void)folder;
  (void)page;
  return "0";
#endif
}

TEST(RecordingTest, WritesTheSamplesScriptByteForByteAsValidHtml) {
  TempFolder folder;
  CopySample(folder);
  for (const std::string format : {"csv", "html"}) {
    const CliRun run = Cli(folder, {"recording", "--format", format, "Demo"});
    EXPECT_EQ(run.out, ReadFileBytes(kSource + "/tests/data/demo_recording." + format)) << format;
    if (format == "html") {
      EXPECT_EQ(TidyMessages(folder, run.out), "0");
    }
  }
}

// A line's status is recorded exactly while its file is there, whether the call names it
// or the pattern gives it.
TEST(RecordingTest, StatusFollowsTheAudioFiles) {
  TempFolder folder;
  CopySample(folder);
  const Words csv = {"recording", "--format", "csv", "--audio-pattern", "sounds/speech/{id}.ogg",
                     "Demo"};
  const std::vector<std::string> before = Lines(Cli(folder, csv).out);
  std::filesystem::remove(folder.Join("Demo/sounds/speech/guard_halt.ogg"));
  folder.Write("Demo/sounds/speech/keeper_bye.ogg", "OggS");
  const std::vector<std::string> after = Lines(Cli(folder, csv).out);
  ASSERT_EQ(before.size(), after.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) {
      changed.push_back(before[i] + " => " + after[i]);
    }
  }
  EXPECT_EQ(
      changed,
      (std::vector<std::string>{
          "\"Guard\",2,\"guard_halt\",\"guard_halt.ogg\",\"Halt! Who goes there?\",\"\",\"\","
          "\"\",4,recorded,\"scenes/Harbour/scr/scene_init.script\",8\r => "
          "\"Guard\",2,\"guard_halt\",\"guard_halt.ogg\",\"Halt! Who goes there?\",\"\",\"\","
          "\"\",4,missing,\"scenes/Harbour/scr/scene_init.script\",8\r",
          "\"Old Tom\",4,\"keeper_bye\",\"sounds/speech/keeper_bye.ogg\",\"Mind the stairs on "
          "your way down.\",\"\",\"\",\"\",7,missing,\"scenes/Lighthouse/scr/keeper.script\","
          "8\r => \"Old Tom\",4,\"keeper_bye\",\"sounds/speech/keeper_bye.ogg\",\"Mind the "
          "stairs on your way down.\",\"\",\"\",\"\",7,recorded,\"scenes/Lighthouse/scr/"
          "keeper.script\",8\r"}));
}

// Directions come only from a parenthesized "//" comment after the call on its line; cues
// are the line before in the same script; --language takes the language table's text.
TEST(RecordingTest, TakesDirectionsCuesAndTheLanguagesTexts) {
  TempFolder folder;
  folder.Write("P/p.wpr", "");
  folder.Write("P/English/STRING.TAB", "go\tGo.\r\n");
  folder.Write("P/German/English/STRING.TAB", "go\tLos.\r\n");
  folder.Write("P/scenes/Dock/scr/a.script",
               "Molly.Talk(\"Psst.\", \"a.ogg\"); // (whispering)\n"
               "Guard.Talk(\"See http://x.org (no)\"); // a note (not one)\n"
               "Molly.Talk(\"Done.\"); /* (no) */ //  ( shouting )  \n"
               "// (alone)\n"
               "Guard.Talk(\"/go/Go.\");\n");
  const CliRun run = Cli(folder, {"recording", "--format", "csv", "--language", "German",
                                  "--character", "guard", "--character", "Molly", "P"});
  EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                "\xEF\xBB\xBF"
                                "character,number,id,audio,text,cue_character,cue,"
                                "direction,words,status,file,line\r",
                                "\"Guard\",1,\"\",\"\",\"See http://x.org (no)\",\"Molly\","
                                "\"Psst.\",\"\",3,missing,\"scenes/Dock/scr/a.script\",2\r",
                                "\"Guard\",2,\"go\",\"\",\"Los.\",\"Molly\",\"Done.\",\"\",1,"
                                "missing,\"scenes/Dock/scr/a.script\",5\r",
                                "\"Molly\",1,\"\",\"a.ogg\",\"Psst.\",\"\",\"\",\"whispering\",1,"
                                "missing,\"scenes/Dock/scr/a.script\",1\r",
                                "\"Molly\",2,\"\",\"\",\"Done.\",\"Guard\",\"See http://x.org "
                                "(no)\",\"shouting\",1,missing,\"scenes/Dock/scr/a.script\",3\r"}));
  const CliRun unknown = Cli(folder, {"recording", "--character", "Tom", "P"}, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("no line is said by 'Tom'; the characters are 'Guard', 'Molly'"),
            std::string::npos)
      << unknown.err;
  EXPECT_NE(Cli(folder, {"recording", "--language", "French", "P"}, 1).err.find("no string table"),
            std::string::npos);
}

// Whatever a name or a text holds, the page shows it as text and stays valid, as it does
// without any line.
TEST(RecordingTest, ShowsHostileNamesAndTextsAsText) {
  TempFolder folder;
  folder.Write("P/p.wpr", "");
  folder.Write("P/Dwelvane_Characters.txt", "Molly = <script>alert(\"x\")</script> & Co\x01\n");
  folder.Write("P/a.script",
               "Molly.Talk(\"<b>~\"&amp;\x02</b>\", \"=cmd.ogg\"); // (<i>loud</i>)\n");
  const std::string page = Cli(folder, {"recording", "P"}).out;
  for (const std::string raw : {"<script", "<b>", "<i>", "\x01", "\x02"}) {
    EXPECT_EQ(page.find(raw), std::string::npos) << raw;
  }
  for (const std::string shown :
       {"&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; Co\xE2\x90\x81",
        "&lt;b&gt;&quot;&amp;amp;\xE2\x90\x82&lt;/b&gt;", "(&lt;i&gt;loud&lt;/i&gt;)"}) {
    EXPECT_NE(page.find(shown), std::string::npos) << shown;
  }
  EXPECT_EQ(TidyMessages(folder, page), "0");
  folder.Write("Empty/e.wpr", "");
  EXPECT_EQ(TidyMessages(folder, Cli(folder, {"recording", "Empty"}).out), "0")
      << "a project without a line";
  const std::string csv = Cli(folder, {"recording", "--format", "csv", "P"}).out;
  EXPECT_NE(csv.find(",\"'=cmd.ogg\","), std::string::npos) << csv;
}

// Missing audio is looked for where --audio-folder says; unused audio (asked for, by its
// flag or by name) is a sound file in a voice folder (all of --audio-folder) that no line
// names, never other sounds.
TEST(RecordingTest, ChecksAudioAgainstTheProjectOrAVoicePackage) {
  TempFolder folder;
  folder.Write("P/p.wpr", "");
  folder.Write(
      "P/a.script",
      "Molly.Talk(\"One.\", \"speech\\a.ogg\");\nMolly.Talk(\"Two.\", \"speech/b.ogg\");\n");
  for (const std::string file : {"P/speech/a.ogg", "P/speech/c.OGG", "P/music/m.ogg",
                                 "de/speech/b.ogg", "de/speech/d.wav", "de/readme.txt"}) {
    folder.Write(file, "OggS");
  }
  const Words audio = {"check"};
  struct Case {
    Words options;
    std::string findings;
  };
  const Case cases[] = {
      {{},
       "a.script:2: warning: audio file 'speech/b.ogg' is not in the project [missing-audio]\n"},
      {{"--enable", "unused-audio"},
       "speech/c.OGG: warning: no line names this audio file [unused-audio]\n"},
      {{"--unused-audio"},
       "a.script:2: warning: audio file 'speech/b.ogg' is not in the project [missing-audio]\n"
       "speech/c.OGG: warning: no line names this audio file [unused-audio]\n"},
      {{"--audio-folder", "de", "--unused-audio"},
       "a.script:1: warning: audio file 'speech\\a.ogg' is not in 'de' [missing-audio]\n"
       "de/speech/d.wav: warning: no line names this audio file [unused-audio]\n"},
  };
  for (const Case& test : cases) {
    Words words = audio;
    words.insert(words.end(), test.options.begin(), test.options.end());
    words.push_back("P");
    EXPECT_EQ(Cli(folder, words, 3).out, test.findings) << test.options.size();
  }
  EXPECT_NE(Cli(folder, {"check", "--audio-folder", "nowhere", "P"}, 1)
                .err.find("cannot read the audio folder"),
            std::string::npos);
}

}  // namespace
}  // namespace dwelvane

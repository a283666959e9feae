#include "app/event_loop.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "app/startup.h"
#include "dialogue/create_csv_table.h"
#include "fake_window_system.h"
#include "runtime/file_faults.h"
#include "runtime/path_separator.h"
#include "settings/file_registry_store.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using namespace gadget;
using testing::FakeWindowSystem;
using testing::TempFolder;

const ReportClock kFixedClock = [] { return DateTime{2009, 2, 5, 9, 5, 3}; };

// A path written with "/" in the platform's own separator.
std::string Native(std::string path) {
  for (char& c : path) {
    c = c == '/' ? kPathSeparator : c;
  }
  return path;
}

// A program run against the fake window and a settings file in a temporary folder.
struct Program {
  TempFolder folder;
  FakeWindowSystem window;
  FileRegistryStore store{folder.Join("config/Dwelvane.reg")};

  int Run() {
    return RunProgram(
        window, store, [] { return std::nullopt; }, kFixedClock);
  }

  std::string Stored(std::string_view name) {
    std::uint32_t type = 0;
    std::string data;
    if (store.QueryValue(kHkeyCurrentUser, kSettingsKey, name, type, data) != 0) {
      return "<missing>";
    }
    if (type == kRegistryNumber) {
      return "#" + std::to_string(static_cast<unsigned char>(data[0]));
    }
    return data.substr(0, data.size() - 1);
  }

  void Store(std::string_view name, std::string_view value) {
    store.CreateKey(kHkeyCurrentUser, kSettingsKey);
    store.SetValue(kHkeyCurrentUser, kSettingsKey, name, kRegistryString,
                   std::string(value) + '\0');
  }

  // A project folder with the usual file names.
  void StoreProject(const std::string& folder_path) {
    Store("WMEProjectDir", folder_path);
    Store("CSVName", "Dialogue_List.csv");
    Store("StatisticName", "Project_Statistics.txt");
  }

  void StoreLanguage(unsigned char language) {
    store.CreateKey(kHkeyCurrentUser, kSettingsKey);
    store.SetValue(kHkeyCurrentUser, kSettingsKey, "Language", kRegistryNumber,
                   std::string{static_cast<char>(language), 0, 0, 0});
  }

  void Then(FakeWindowSystem::Action action) { window.script.push_back(std::move(action)); }
};

TEST(EventLoopTest, StartsWithTheWindowFilledFromTheSettings) {
  Program p;
  p.Store("WMEProjectDir", "/games/demo/");
  p.Store("CSVName", "lines.csv");
  std::vector<std::string> seen;
  p.Then([&](FakeWindowSystem& w) {
    for (const int field : {kProjectPathField, kSeparatorField, kCsvNameField, kStatisticNameField,
                            kStringTabField}) {
      seen.push_back(w.Text(field));
    }
    for (const int box : {kScriptLocationCheck, kScriptNameCheck, kScriptLineCheck, kSpeakerCheck,
                          kReferenceCheck, kTranslateCheck, kSentenceCheck, kAudioFileCheck,
                          kWriteToFileCheck, kEnglishOption, kGermanOption}) {
      seen.push_back(w.Ticked(box) ? "x" : "-");
    }
  });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"/games/demo/", ";", "lines.csv", "", "", "x", "x", "x",
                                            "x", "x", "-", "x", "x", "-", "x", "-"}));
  EXPECT_EQ(p.window.window_titles, (std::vector<std::string>{"Dwelvane V0.1"}));
  ASSERT_EQ(p.window.Created().size(), kGadgets.size());
  EXPECT_EQ(p.window.CreatedTexts().at(kCreateCsvButton), "Create CSV table");
  EXPECT_EQ(p.Stored("StatisticName"), "") << "filling a field is a change like any other";
  EXPECT_FALSE(p.window.WindowOpen()) << "the close event closes the window";
}

TEST(EventLoopTest, SwitchesLanguageBackAndForthKeepingTheSettings) {
  Program p;
  p.Then([](FakeWindowSystem& w) { w.Click(kGermanOption); });
  std::string german_button;
  p.Then([&](FakeWindowSystem& w) {
    german_button = w.CreatedTexts().at(kCreateCsvButton);
    w.Click(kScriptLineCheck);
    w.Type(kSeparatorField, "|");
  });
  p.Then([](FakeWindowSystem& w) { w.Click(kGermanOption); });
  p.Then([](FakeWindowSystem& w) { w.Click(kEnglishOption); });
  std::vector<std::string> seen;
  p.Then([&](FakeWindowSystem& w) {
    seen = {w.CreatedTexts().at(kCreateCsvButton), w.Text(kSeparatorField),
            w.Ticked(kScriptLineCheck) ? "x" : "-", w.Ticked(kEnglishOption) ? "x" : "-"};
  });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(german_button, "Erstelle CSV-Datei");
  EXPECT_EQ(seen, (std::vector<std::string>{"Create CSV table", "|", "x", "x"}));
  EXPECT_EQ(p.window.window_titles.size(), 3u) << "a click on the active language rebuilds nothing";
  EXPECT_EQ(p.Stored("Language"), "#0");
  EXPECT_EQ(p.Stored("Seperator"), "|");
}

TEST(EventLoopTest, AStoredLanguageOfTwoIsGerman) {
  Program p;
  p.Store("CSVName", "a.csv");
  p.StoreLanguage(2);
  std::string select_button;
  p.Then([&](FakeWindowSystem& w) {
    select_button = w.CreatedTexts().at(kSelectProjectButton);
    w.Click(kGermanOption);
  });
  p.Then([](FakeWindowSystem& w) { w.Click(kEnglishOption); });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(select_button, "W\xC3\xA4hlen") << "the window takes its texts in UTF-8";
  EXPECT_EQ(p.window.window_titles.size(), 2u) << "only the English option acts";
  EXPECT_EQ(p.Stored("Language"), "#0");
}

TEST(EventLoopTest, ReferenceCheckEnablesTranslateCheckAndKeepsItsTick) {
  Program p;
  std::vector<std::string> seen;
  const auto note = [&](FakeWindowSystem& w) {
    seen.push_back(std::string(w.Ticked(kTranslateCheck) ? "ticked" : "unticked") +
                   (w.Enabled(kTranslateCheck) ? " enabled" : " disabled"));
  };
  p.Then([](FakeWindowSystem& w) { w.Click(kTranslateCheck); });
  p.Then([](FakeWindowSystem& w) { w.Click(kReferenceCheck); });
  p.Then(note);
  p.Then([](FakeWindowSystem& w) { w.Click(kReferenceCheck); });
  p.Then(note);
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"ticked disabled", "ticked enabled"}));
}

TEST(EventLoopTest, RequestersChangeNothingWhenCancelled) {
  Program p;
  p.Store("WMEProjectDir", Native("/games/old/"));
  p.window.chosen_files = {"", Native("/games/Demo/demo.wpr"), "",
                           Native("/lang/English/STRING.TAB"), ""};
  for (const int button : {kSelectProjectButton, kSelectProjectButton, kSelectStringTabButton,
                           kSelectStringTabButton, kSelectStringTabButton}) {
    p.Then([button](FakeWindowSystem& w) { w.Click(button); });
  }
  EXPECT_EQ(p.Run(), 0);
  const std::string project =
      "Select a WME projectfile|" + Native("/games/old/") + "|WME projects|*.wpr|0";
  const std::string table = "Select the STRING.TAB to use:|";
  EXPECT_EQ(p.window.requests,
            (std::vector<std::string>{
                project, project, table + Native("/games/Demo/") + "|WME STRING.TAB|STRING.TAB|0",
                table + Native("/games/Demo/") + "|WME STRING.TAB|STRING.TAB|0",
                table + Native("/lang/English/") + "|WME STRING.TAB|STRING.TAB|0"}));
  EXPECT_EQ(p.Stored("WMEProjectDir"), Native("/games/Demo/"));
  EXPECT_EQ(p.Stored("StringTab"), Native("/lang/English/STRING.TAB"));
}

TEST(EventLoopTest, CreatesTheSameTableAsTheCommandLineWithTheTypedSeparator) {
  Program p;
  p.folder.Write("game/scenes/a.script", "g.Talk(\"/id/Hi\",\"hi.ogg\");\n");
  p.folder.Write("game/English/STRING.TAB", "id\tHallo\n");
  const std::string project = p.folder.Join("game/");
  p.Store("WMEProjectDir", project);
  p.Store("CSVName", "out.csv");
  p.Then([](FakeWindowSystem& w) { w.Click(kTranslateCheck); });
  p.Then([](FakeWindowSystem& w) { w.Type(kSeparatorField, "\t"); });
  p.Then([](FakeWindowSystem& w) { w.Click(kCreateCsvButton); });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(testing::ReadFileBytes(project + "out.csv"),
            "\"" + p.folder.Join("game/scenes/") +
                "\"\t\"a.script\"\t\"1\"\t\"g\"\t\"Hi\"\t\"hi.ogg\"\t\"id\"\t\"Hallo\"\r\n");
  EXPECT_EQ(p.window.progress, (std::vector<int>{1000, 1000, 0}));
  EXPECT_EQ(p.window.Text(kStatusText), "");
  EXPECT_EQ(p.Stored("Seperator"), "\t");
}

TEST(EventLoopTest, SaysWhichOutputCouldNotBeWritten) {
  Program p;
  p.folder.Write("game/a.script", "a.Talk(\"x\");\n");
  const std::string project = p.folder.Join("game/");
  p.Store("WMEProjectDir", project);
  p.Store("CSVName", Native("missing/lines.csv"));
  p.Store("StatisticName", Native("missing/report.txt"));
  std::vector<std::string> statuses;
  p.Then([](FakeWindowSystem& w) { w.Click(kCreateCsvButton); });
  p.Then([&](FakeWindowSystem& w) {
    statuses.push_back(w.Text(kStatusText));
    w.Click(kWriteToFileCheck);
    w.Click(kScanProjectButton);
  });
  p.Then([&](FakeWindowSystem& w) { statuses.push_back(w.Text(kStatusText)); });
  EXPECT_EQ(p.Run(), 0);
  ASSERT_EQ(statuses.size(), 2u);
  // Then the system's reason, in the system's words.
  EXPECT_EQ(statuses[0].rfind("Could not write " + project + Native("missing/lines.csv: "), 0), 0u);
  EXPECT_EQ(statuses[1].rfind("Could not write " + project + Native("missing/report.txt: "), 0),
            0u);
#ifndef _WIN32
  EXPECT_TRUE(statuses[0].ends_with(": No such file or directory")) << statuses[0];
#endif
  EXPECT_NE(p.window.Text(kStatisticsView), "") << "the report is shown all the same";
}

#ifndef _WIN32
// A project from someone else may hold links where the window writes: nothing is written
// through them, and the status line says why.
TEST(EventLoopTest, WritesNothingThroughAProjectsLinks) {
  Program p;
  p.folder.Write("game/a.script", "a.Talk(\"x\");\n");
  const std::string victim = p.folder.Write("victim", "mine");
  p.folder.MakeFolder("elsewhere");
  ASSERT_EQ(::symlink("../elsewhere", p.folder.Join("game/out").c_str()), 0);
  ASSERT_EQ(::symlink("../victim", p.folder.Join("game/Project_Statistics.txt").c_str()), 0);
  const std::string project = p.folder.Join("game/");
  p.Store("WMEProjectDir", project);
  p.Store("CSVName", "out/lines.csv");
  p.Store("StatisticName", "Project_Statistics.txt");
  std::vector<std::string> statuses;
  p.Then([](FakeWindowSystem& w) { w.Click(kCreateCsvButton); });
  p.Then([&](FakeWindowSystem& w) {
    statuses.push_back(w.Text(kStatusText));
    w.Click(kWriteToFileCheck);
    w.Click(kScanProjectButton);
  });
  p.Then([&](FakeWindowSystem& w) { statuses.push_back(w.Text(kStatusText)); });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(statuses,
            (std::vector<std::string>{
                "Could not write " + project + "out/lines.csv: Its folder leads out of the project",
                "Could not write " + project +
                    "Project_Statistics.txt: " + DescribeReservedCode(kOutputIsALink)}));
  EXPECT_EQ(testing::ReadFileBytes(victim), "mine");
  EXPECT_FALSE(testing::FileExists(p.folder.Join("elsewhere/lines.csv")));
}
#endif

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
// The address space the process has taken so far, in bytes.
rlim_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  rlim_t pages = 0;
  statm >> pages;
  return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

// A string table larger than the memory at hand ends the command, not the program. In a
// child process, whose address space is limited (the sanitizers reserve terabytes up
// front, so the test needs a build without them).
TEST(EventLoopTest, AStringTableTooLargeForTheMemoryEndsTheCommandNotTheProgram) {
  Program p;
  p.folder.Write("game/a.script", "a.Talk(\"/hi/Hi\");\n");
  const std::string table = p.folder.Write("game/English/STRING.TAB", "");
  std::filesystem::resize_file(table, std::uintmax_t{512} << 20);
  p.StoreProject(p.folder.Join("game/"));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlim_t limit = AddressSpaceInUse() + (rlim_t{256} << 20);
    const rlimit address_space{limit, limit};
    ::setrlimit(RLIMIT_AS, &address_space);
    std::string status;
    p.Then([](FakeWindowSystem& w) {
      w.Click(kTranslateCheck);
      w.Click(kCreateCsvButton);
    });
    p.Then([&](FakeWindowSystem& w) { status = w.Text(kStatusText); });
    const bool said = p.Run() == 0 && status == "Out of memory reading " + table;
    ::_exit(said ? 0 : 1);
  }
  int child_status = 0;
  ASSERT_EQ(::waitpid(child, &child_status, 0), child);
  EXPECT_TRUE(WIFEXITED(child_status)) << "the program ended by a signal: " << child_status;
  EXPECT_EQ(WEXITSTATUS(child_status), 0) << "the status line did not name the table";
}
#endif

TEST(EventLoopTest, SaysHowManyFilesCouldNotBeRead) {
  Program p;
  p.folder.Write("game/a.script", "a.Talk(\"x\");\n");
  p.StoreProject(p.folder.Join("game/"));
  // The disk fails once the settings are read and the window is up.
  bool failing = false;
  const platform::ScopedFileFaults failing_disk([&](const platform::FileCallInfo& call) {
    return failing && call.call == platform::FileCall::kRead ? EIO : 0;
  });
  std::vector<std::string> statuses;
  p.Then([&](FakeWindowSystem& w) {
    failing = true;
    w.Click(kCreateCsvButton);
  });
  p.Then([&](FakeWindowSystem& w) {
    statuses.push_back(w.Text(kStatusText));
    w.Click(kScanProjectButton);
  });
  p.Then([&](FakeWindowSystem& w) { statuses.push_back(w.Text(kStatusText)); });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(statuses,
            (std::vector<std::string>{"1 file could not be read", "1 file could not be read"}));
}

TEST(EventLoopTest, EventsQueuedBeforeACommandWithoutSubfoldersAreHandledAfterIt) {
  Program p;
  p.folder.Write("game/a.script", "");
  p.StoreProject(p.folder.Join("game/"));
  p.Then([](FakeWindowSystem& w) {
    w.Click(kCreateCsvButton);
    w.Click(kScanProjectButton);
  });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(p.window.drains, 0);
  EXPECT_TRUE(testing::FileExists(p.folder.Join("game/Dialogue_List.csv")));
  EXPECT_NE(p.window.Text(kStatisticsView), "");
}

TEST(EventLoopTest, EventsDrainedDuringACommandAreLostAndLaterOnesHandled) {
  Program p;
  p.folder.Write("game/sub/a.script", "");
  p.StoreProject(p.folder.Join("game/"));
  p.window.during_drain = {[](FakeWindowSystem& w) {
    w.Click(kWriteToFileCheck);
    w.Click(kScanProjectButton);
    w.Close();
  }};
  p.Then([](FakeWindowSystem& w) { w.Click(kCreateCsvButton); });
  std::string view_after_drain;
  p.Then([&](FakeWindowSystem& w) {
    view_after_drain = w.Text(kStatisticsView);
    w.Click(kScanProjectButton);
  });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(view_after_drain, "") << "the drained click never ran the statistics";
  EXPECT_TRUE(p.window.Ticked(kWriteToFileCheck));
  EXPECT_NE(p.window.Text(kStatisticsView).find("Statistics for WME Project ''"),
            std::string::npos);
  EXPECT_TRUE(testing::FileExists(p.folder.Join("game/Project_Statistics.txt")))
      << "the tick toggled during the drain counted for the statistics";
}

TEST(EventLoopTest, WritesIntoAMissingKeyShowOneErrorBoxPerUserAction) {
  Program p;
  p.Then([](FakeWindowSystem& w) { w.Type(kCsvNameField, "a"); });
  p.Then([&](FakeWindowSystem& w) {
    p.store.DeleteKey(kHkeyCurrentUser, kSettingsKey);
    w.Type(kCsvNameField, "ab");
  });
  p.Then([](FakeWindowSystem& w) { w.Click(kGermanOption); });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(p.window.messages.size(), 2u)
      << "the typed name and the language; not the five fields the new window refills";
  EXPECT_EQ(p.window.messages.front(), "Fehler|Ein Fehler ist aufgetreten");
}

// `latin1` in UTF-16LE with its byte order mark, as Windows' registry editor exports.
std::string Utf16Le(std::string_view latin1) {
  std::string bytes = "\xFF\xFE";
  for (const char c : latin1) {
    bytes.push_back(c);
    bytes.push_back('\0');
  }
  return bytes;
}

TEST(EventLoopTest, StartsFromAStoreInWindowsUnicodeFormAndKeepsItsOtherKeys) {
  Program p;
  const std::string path = p.folder.Write(
      "config/Dwelvane.reg",
      Utf16Le("Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Keep\"=\"me\"\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Kelterpine\\Dwelvane]\r\n"
              "\"CSVName\"=\"lines.csv\"\r\n\"StatisticName\"=\"stats.txt\"\r\n"
              "\"Seperator\"=\"|\"\r\n\"WMEProjectDir\"=\"C:\\\\Spiele\\\\M\xFCller\\\\\"\r\n"
              "\"StringTab\"=\"\"\r\n\"Language\"=dword:00000001\r\n"));
  std::vector<std::string> seen;
  p.Then([&](FakeWindowSystem& w) {
    seen = {w.Text(kProjectPathField), w.Text(kCsvNameField), w.Text(kSeparatorField),
            w.CreatedTexts().at(kCreateCsvButton)};
  });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"C:\\Spiele\\M\xC3\xBCller\\", "lines.csv", "|",
                                            "Erstelle CSV-Datei"}));
  EXPECT_TRUE(p.window.messages.empty());
  std::uint32_t type = 0;
  std::string data;
  EXPECT_EQ(p.store.QueryValue(kHkeyCurrentUser, "Software\\Other", "Keep", type, data), 0);
  EXPECT_EQ(data, std::string("me\0", 3));
  EXPECT_TRUE(testing::ReadFileBytes(path).starts_with("REGEDIT4\r\n")) << "stored anew";
}

TEST(EventLoopTest, NeverWritesOverAStoreItCannotRead) {
  Program p;
  const std::string kept = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n";
  const std::string path = p.folder.Write("config/Dwelvane.reg", kept);
  // As a file without read permission: every open of it fails.
  const platform::ScopedFileFaults no_permission([](const platform::FileCallInfo& call) {
    return call.call == platform::FileCall::kOpen && call.path.ends_with("Dwelvane.reg") ? EACCES
                                                                                         : 0;
  });
  p.Then([](FakeWindowSystem& w) { w.Type(kCsvNameField, "typed.csv"); });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(testing::ReadFileBytes(path), kept);
  EXPECT_FALSE(testing::FileExists(path + ".unreadable"));
  EXPECT_EQ(p.window.messages.size(), 3u)
      << "one box each: the first run's defaults, the window filling its fields, the typed name";
}

TEST(EventLoopTest, KeepsAProjectPathOfThreeHundredBytes) {
  Program p;
  const std::string long_path = Native("/" + std::string(298, 'p') + "/");
  p.Then([&](FakeWindowSystem& w) { w.Type(kProjectPathField, long_path); });
  EXPECT_EQ(p.Run(), 0);
  p.window = FakeWindowSystem();
  std::string shown;
  p.Then([&](FakeWindowSystem& w) { shown = w.Text(kProjectPathField); });
  EXPECT_EQ(p.Run(), 0);
  EXPECT_EQ(shown, long_path) << "read back whole at the next start";
}

TEST(EventLoopTest, SaysSoWhenTheWindowCannotBeOpened) {
  Program p;
  p.window.refuse_window = true;
  EXPECT_EQ(p.Run(), 1);
}

}  // namespace
}  // namespace dwelvane

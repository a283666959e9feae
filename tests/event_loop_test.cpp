#include "app/event_loop.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "app/startup.h"
#include "fake_window_system.h"
#include "runtime/file_faults.h"
#include "runtime/io_error.h"
#include "runtime/path_separator.h"
#include "settings/file_registry_store.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using namespace gadget;
using testing::FakeWindowSystem;
using testing::ReadFileBytes;
using testing::TempFolder;
using Texts = std::vector<std::string>;

// A path written with "/" in the platform's own separator.
std::string Native(std::string path) {
  std::replace(path.begin(), path.end(), '/', kPathSeparator);
  return path;
}

// A program run against the fake window and a settings file in a temporary folder.
struct Program {
  TempFolder folder;
  FakeWindowSystem window;
  FileRegistryStore store{folder.Join("config/Dwelvane.reg")};

  int Run() {
    return RunProgram(
        window, store, [] { return std::nullopt; }, [] { return DateTime{2009, 2, 5, 9, 5, 3}; });
  }

  std::string Stored(std::string_view name) {
    std::uint32_t type = 0;
    std::string data;
    if (store.QueryValue(kHkeyCurrentUser, kSettingsKey, name, type, data) != 0) {
      return "<missing>";
    }
    return type == kRegistryNumber ? "#" + std::to_string(static_cast<unsigned char>(data[0]))
                                   : data.substr(0, data.size() - 1);
  }

  void Store(std::string_view name, std::string_view value) {
    store.CreateKey(kHkeyCurrentUser, kSettingsKey);
    store.SetValue(kHkeyCurrentUser, kSettingsKey, name, kRegistryString,
                   std::string(value) + '\0');
  }

  // A project folder `game` with the usual file names, its project file and a script.
  std::string StoreProject(const std::string& csv = "Dialogue_List.csv",
                           const std::string& statistic = "Project_Statistics.txt") {
    folder.Write("game/game.wpr", "");
    folder.Write("game/a.script", "a.Talk(\"/hi/x\");\n");
    Store("WMEProjectDir", folder.Join("game/"));
    Store("CSVName", csv);
    Store("StatisticName", statistic);
    return folder.Join("game/");
  }

  void Then(FakeWindowSystem::Action action) { window.script.push_back(std::move(action)); }
  void ThenClick(int gadget) {
    Then([gadget](FakeWindowSystem& w) { w.Click(gadget); });
  }
  void WhileRunning(FakeWindowSystem::Action action) {
    window.while_running.push_back(std::move(action));
  }
};

// The names of the gadgets that take input and are enabled.
Texts EnabledInputs(const FakeWindowSystem& w) {
  Texts names;
  for (const GadgetLayout* layout : w.Created()) {
    const bool input = layout->kind == GadgetKind::kTextField ||
                       layout->kind == GadgetKind::kButton ||
                       layout->kind == GadgetKind::kCheckBox || layout->kind == GadgetKind::kOption;
    if (input && w.Enabled(layout->number)) {
      names.emplace_back(layout->name);
    }
  }
  return names;
}

TEST(EventLoopTest, StartsWithTheWindowFilledFromTheSettingsAndSwitchesLanguage) {
  Program p;
  p.Store("WMEProjectDir", "/games/demo/");
  p.Store("CSVName", "lines.csv");
  p.store.SetValue(kHkeyCurrentUser, kSettingsKey, "Language", kRegistryNumber,
                   std::string("\x02\0\0\0", 4));
  Texts fields, ticks, after;
  p.Then([&](FakeWindowSystem& w) {
    for (const int field : {kProjectPathField, kSeparatorField, kCsvNameField, kStatisticNameField,
                            kStringTabField}) {
      fields.push_back(w.Text(field));
    }
    for (const int box : {kScriptLocationCheck, kScriptNameCheck, kScriptLineCheck, kSpeakerCheck,
                          kReferenceCheck, kTranslateCheck, kSentenceCheck, kAudioFileCheck,
                          kWriteToFileCheck, kEnglishOption, kGermanOption}) {
      ticks.push_back(w.Ticked(box) ? "x" : "-");
    }
    after.push_back(w.CreatedTexts().at(kSelectProjectButton));
    w.Click(kScriptLineCheck);
    w.Type(kSeparatorField, "|");
  });
  p.ThenClick(kGermanOption);
  p.ThenClick(kEnglishOption);
  p.Then([&](FakeWindowSystem& w) {
    after.insert(after.end(),
                 {w.Text(kSelectProjectButton), w.tab_labels.at(1), w.Text(kSeparatorField),
                  w.Ticked(kScriptLineCheck) ? "x" : "-", w.Ticked(kEnglishOption) ? "x" : "-"});
  });
  EXPECT_EQ(p.Run(), 0);
  // A stored 2 is German too; the window takes its texts in UTF-8. A switch keeps the
  // window and what the user did to it, and gives every text and tab label the language.
  EXPECT_EQ(fields, (Texts{"/games/demo/", ";", "lines.csv", "", ""}));
  EXPECT_EQ(ticks, (Texts{"x", "x", "x", "x", "x", "-", "x", "x", "-", "-", "x"}));
  EXPECT_EQ(after, (Texts{"W\xC3\xA4hlen", "Select", "Statistics", "|", "-", "x"}));
  EXPECT_EQ(p.window.window_titles, (Texts{"Dwelvane V0.1"})) << "one window, never rebuilt";
  ASSERT_EQ(p.window.Created().size(), kGadgets.size());
  EXPECT_EQ(p.Stored("StatisticName"), "") << "filling a field is a change like any other";
  EXPECT_EQ(p.Stored("Language"), "#0");
  EXPECT_EQ(p.Stored("Seperator"), "|");
  EXPECT_FALSE(p.window.WindowOpen()) << "the close event closes the window";
}

// A tab typed as itself or as \t, as the command line takes --separator and the stored one,
// is a tab; the setting keeps what was typed.
TEST(EventLoopTest, CreatesTheSameTableAsTheCommandLineWithTheTypedSeparator) {
  for (const std::string typed : {"\t", "\\t"}) {
    Program p;
    const std::string project = p.StoreProject("out.csv");
    p.folder.Write("game/English/STRING.TAB", "hi\tHallo\n");
    p.ThenClick(kTranslateCheck);
    p.Then([&](FakeWindowSystem& w) { w.Type(kSeparatorField, typed); });
    p.ThenClick(kCreateCsvButton);
    EXPECT_EQ(p.Run(), 0);
    EXPECT_EQ(ReadFileBytes(project + "out.csv"),
              "\"" + project + "\"\t\"a.script\"\t\"1\"\t\"a\"\t\"x\"\t\"\"\t\"hi\"\t\"Hallo\"\r\n")
        << typed;
    EXPECT_EQ(p.window.progress, (std::vector<int>{1000, 1000, 0}));
    EXPECT_EQ(p.Stored("Seperator"), typed);
  }
}

// The statuses after a click on each command button: the table, then the written report.
Texts StatusesOfBothCommands(Program& p) {
  Texts statuses;
  p.ThenClick(kCreateCsvButton);
  p.Then([&](FakeWindowSystem& w) {
    statuses.push_back(w.Text(kStatusText));
    w.Click(kWriteToFileCheck);
    w.Click(kScanProjectButton);
  });
  p.Then([&](FakeWindowSystem& w) { statuses.push_back(w.Text(kStatusText)); });
  EXPECT_EQ(p.Run(), 0);
  return statuses;
}

// The status line names each output that failed and says why in the system's words. A
// project from someone else may hold links where the window writes: nothing is written
// through them.
TEST(EventLoopTest, SaysWhichOutputCouldNotBeWrittenAndWhy) {
  struct Case {
    std::string csv, statistic, csv_reason, statistic_reason;
  };
  std::vector<Case> cases = {{Native("missing/lines.csv"), Native("missing/report.txt"),
                              "the folder does not exist", "the folder does not exist"}};
#ifndef _WIN32
  cases.push_back({"out/lines.csv", "Project_Statistics.txt", "its folder lies outside the project",
                   "it is a link"});
#endif
  for (const Case& c : cases) {
    Program p;
    const std::string project = p.StoreProject(c.csv, c.statistic);
    const std::string victim = p.folder.Write("victim", "mine");
#ifndef _WIN32
    p.folder.MakeFolder("elsewhere");
    ASSERT_EQ(::symlink("../elsewhere", p.folder.Join("game/out").c_str()), 0);
    ASSERT_EQ(::symlink("../victim", p.folder.Join("game/Project_Statistics.txt").c_str()), 0);
#endif
    const Texts statuses = StatusesOfBothCommands(p);
    const Texts wanted = {"Could not write " + project + c.csv + ": " + c.csv_reason,
                          "Could not write " + project + c.statistic + ": " + c.statistic_reason};
    EXPECT_EQ(statuses, wanted);
    EXPECT_NE(p.window.Text(kStatisticsView), "") << "the report is shown all the same";
    EXPECT_EQ(ReadFileBytes(victim), "mine");
    EXPECT_FALSE(testing::FileExists(p.folder.Join("elsewhere/lines.csv")));
  }
}

TEST(EventLoopTest, SaysHowManyFilesCouldNotBeRead) {
  Program p;
  p.StoreProject();
  // The disk fails once the settings are read and the window is up.
  bool failing = false;
  const platform::ScopedFileFaults failing_disk([&](const platform::FileCallInfo& call) {
    return failing && call.call == platform::FileCall::kRead ? EIO : 0;
  });
  p.Then([&](FakeWindowSystem&) { failing = true; });
  const std::string project = p.folder.Join("game/");
  EXPECT_EQ(StatusesOfBothCommands(p),
            (Texts{"0 lines written to " + project +
                       "Dialogue_List.csv \xE2\x80\x93 1 file could "
                       "not be read",
                   "Report written to " + project +
                       "Project_Statistics.txt \xE2\x80\x93 1 file could not be read"}));
}

// After a run the status line says where the output went, and what the command line would
// warn about: no project file, a table that mixes encodings.
TEST(EventLoopTest, SaysWhereTheOutputWentAndWhatToMind) {
  Program p;
  const std::string project = p.StoreProject();
  p.folder.Write("game/b.script", "b.Talk(\"Gr\xFC\xDF\");\n");
  p.folder.Write("game/c.script", "c.Talk(\"Gr\xC3\xBC\xC3\x9F\");\n");
  std::filesystem::remove(project + "game.wpr");
  const std::string no_project_file =
      " \xE2\x80\x93 No .wpr file in the project folder: is it a WME project?";
  EXPECT_EQ(StatusesOfBothCommands(p),
            (Texts{"3 lines written to " + project + "Dialogue_List.csv" + no_project_file +
                       " \xE2\x80\x93 The table mixes lines of Windows-1252 and UTF-8 scripts",
                   "Report written to " + project + "Project_Statistics.txt" + no_project_file}));
}

// No scan runs, and nothing is written or shown, without a project folder to run on.
TEST(EventLoopTest, RunsNoCommandWithoutAProjectFolder) {
  for (const bool chosen : {false, true}) {
    Program p;
    const std::string missing = p.folder.Join("gone/");
    p.Store("WMEProjectDir", chosen ? missing : "");
    const Texts statuses = StatusesOfBothCommands(p);
    const std::string wanted =
        chosen ? "Cannot read the project folder " + missing + ": the folder does not exist"
               : "Choose the project folder first";
    EXPECT_EQ(statuses, (Texts{wanted, wanted})) << chosen;
    EXPECT_TRUE(p.window.progress.empty()) << chosen;
    EXPECT_EQ(p.window.Text(kStatisticsView), "") << "no report of zeros";
  }
}

// While a command runs, every input is disabled, so that what shows is what is stored; the
// user's cancel (Escape, or the close box, which then closes the window) ends the command
// without writing, and the old output stays.
TEST(EventLoopTest, ARunHoldsTheInputsAndACancelKeepsTheOldOutput) {
  struct Case {
    int button;
    std::string output;
    bool close_box;
  };
  for (const Case& c : {Case{kCreateCsvButton, "Dialogue_List.csv", false},
                        Case{kScanProjectButton, "Project_Statistics.txt", true}}) {
    Program p;
    const std::string project = p.StoreProject();
    for (const char* script : {"game/s1/b.script", "game/s2/c.script", "game/s3/d.script"}) {
      p.folder.Write(script, "b.Talk(\"/hi/x\");\n");
    }
    p.folder.Write("game/" + c.output, "old");
    Texts before, during, after;
    std::string status;
    p.Then([&](FakeWindowSystem& w) { before = EnabledInputs(w); });
    p.ThenClick(kReferenceCheck);
    p.ThenClick(kWriteToFileCheck);
    p.ThenClick(c.button);
    p.WhileRunning([&](FakeWindowSystem& w) {
      during = EnabledInputs(w);
      w.Type(kSeparatorField, "|");
      c.close_box ? w.ClickCloseBox() : w.PressEscape();
    });
    p.Then([&](FakeWindowSystem& w) {
      status = w.Text(kStatusText);
      after = EnabledInputs(w);
    });
    EXPECT_EQ(p.Run(), 0);
    EXPECT_EQ(during, Texts{}) << c.output;
    EXPECT_EQ(p.window.Text(kSeparatorField), ";") << c.output;
    EXPECT_EQ(p.Stored("Seperator"), ";") << c.output;
    EXPECT_EQ(ReadFileBytes(project + c.output), "old") << c.output;
    EXPECT_EQ(p.window.progress.back(), 0) << c.output;
    EXPECT_EQ(p.window.Text(kStatisticsView), "") << "a cancelled scan shows no report";
    if (c.close_box) {
      EXPECT_FALSE(p.window.WindowOpen());
      EXPECT_EQ(p.window.script.size(), 1u) << "the window closed right after the run";
    } else {
      EXPECT_EQ(status, "Cancelled");
      std::erase(before, "TranslateCheck");
      EXPECT_EQ(after, before) << "TranslateCheck follows the unticked ReferenceCheck";
    }
  }
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
// A string table larger than the memory at hand ends the command, not the program. In a
// child process, whose address space is limited (the sanitizers reserve terabytes up
// front, so the test needs a build without them).
TEST(EventLoopTest, AStringTableTooLargeForTheMemoryEndsTheCommandNotTheProgram) {
  Program p;
  p.StoreProject();
  const std::string table = p.folder.Write("game/English/STRING.TAB", "");
  std::filesystem::resize_file(table, std::uintmax_t{512} << 20);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    const rlim_t limit = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{256} << 20);
    const rlimit address_space{limit, limit};
    ::setrlimit(RLIMIT_AS, &address_space);
    p.ThenClick(kTranslateCheck);
    p.ThenClick(kCreateCsvButton);
    std::string status;
    p.Then([&](FakeWindowSystem& w) { status = w.Text(kStatusText); });
    ::_exit(p.Run() == 0 && status == "Out of memory reading " + table ? 0 : 1);
  }
  int child_status = 0;
  ASSERT_EQ(::waitpid(child, &child_status, 0), child);
  EXPECT_TRUE(WIFEXITED(child_status)) << "the program ended by a signal: " << child_status;
  EXPECT_EQ(WEXITSTATUS(child_status), 0) << "the status line did not name the table";
}
#endif

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
  EXPECT_EQ(ReadFileBytes(path), kept);
  EXPECT_FALSE(testing::FileExists(path + ".unreadable"));
  EXPECT_EQ(p.window.messages.size(), 3u)
      << "one box each: the first run's defaults, the window filling its fields, the typed name";
}

}  // namespace
}  // namespace dwelvane

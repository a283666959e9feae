#include "settings/settings_persistence.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "settings/file_registry_store.h"
#include "settings/reg_file_format.h"
#include "settings/wine_install_path.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

struct SettingsStore {
  TempFolder folder;
  std::string path = folder.Join("Kelterpine/Dwelvane.reg");
  FileRegistryStore store{path};
  int boxes = 0;
  int wine_asked = 0;
  RegistryLayer layer{store, [this](std::string_view, std::string_view) { ++boxes; }};

  // The start-up's settings step over the store holding `reg_text`, with `wine` as what the
  // Wine prefix records; counts the questions to the prefix.
  Settings Start(std::string_view reg_text, std::optional<std::string> wine = std::nullopt) {
    if (!reg_text.empty()) {
      folder.Write("Kelterpine/Dwelvane.reg", reg_text);
    }
    Settings settings;
    std::string engine;
    LoadSettings(layer, settings, engine, [&] {
      ++wine_asked;
      return wine;
    });
    RunFirstRunStep(layer, settings, engine);
    return settings;
  }
};

constexpr std::string_view kFirstRunFile =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Kelterpine]\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Kelterpine\\Dwelvane]\r\n"
    "\"CSVName\"=\"Dialogue_List.csv\"\r\n"
    "\"StatisticName\"=\"Project_Statistics.txt\"\r\n"
    "\"Seperator\"=\";\"\r\n"
    "\"WMEProjectDir\"=\"\"\r\n"
    "\"StringTab\"=\"\"\r\n"
    "\"Language\"=dword:00000000\r\n\r\n";

TEST(SettingsPersistenceTest, AFirstRunWritesTheDefaultsInTheEngineFolderExactlyAsStored) {
  SettingsStore s;
  EXPECT_EQ(s.Start("").WMEProjectDir, "");
  EXPECT_EQ(s.wine_asked, 1) << "no engine tools key: the Wine prefix is asked";
  EXPECT_EQ(ReadFileBytes(s.path), kFirstRunFile);
  EXPECT_EQ(s.boxes, 0);
  EXPECT_EQ(SettingsStore().Start("", "/home/me/.wine/drive_c/WME").WMEProjectDir,
            "/home/me/.wine/drive_c/WME");
  SettingsStore engine;
  const Settings settings = engine.Start(
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\DEAD:CODE\\Wintermute Tools\\Settings]\r\n"
      "\"InstallPath\"=\"C:\\\\WME\"\r\n",
      "/from/wine");
  EXPECT_EQ(engine.wine_asked, 0);
  EXPECT_EQ(settings.WMEProjectDir, "C:\\WME");
  EXPECT_EQ(engine.layer.RegistryGetValue(kHkeyCurrentUser, kSettingsKey, "WMEProjectDir", ""), 0);
  EXPECT_EQ(engine.layer.RegistryReadResult, "C:\\WME");
}

TEST(SettingsPersistenceTest, DecidesTheFirstRunByThePathsAlone) {
  struct Case {
    std::string values;
    std::string csv, statistic, separator, string_tab;
    Language language;
  };
  const Case cases[] = {
      {"\"CSVName\"=\"\"\r\n\"WMEProjectDir\"=\"\"\r\n\"StatisticName\"=\"\"\r\n"
       "\"Seperator\"=\"|\"\r\n\"StringTab\"=\"/t/STRING.TAB\"\r\n\"Language\"=dword:00000001\r\n",
       "Dialogue_List.csv", "Project_Statistics.txt", ";", "/t/STRING.TAB", Language::kGerman},
      {"\"StatisticName\"=\"s.txt\"\r\n\"Language\"=\"1\"\r\n", "", "s.txt", ";", "",
       Language::kGerman},
      {"\"CSVName\"=\"a\"\r\n\"Language\"=dword:00000002\r\n\"Seperator\"=hex(2):7c,00\r\n", "a",
       "", ";", "", Language::kGerman},
  };
  for (const Case& c : cases) {
    SettingsStore s;
    const Settings settings = s.Start(
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kelterpine\\Dwelvane]\r\n" + c.values);
    EXPECT_EQ(settings.CSVName, c.csv) << c.values;
    EXPECT_EQ(settings.StatisticName, c.statistic) << c.values;
    EXPECT_EQ(settings.Seperator, c.separator) << c.values;
    EXPECT_EQ(settings.StringTab, c.string_tab) << c.values;
    EXPECT_EQ(settings.Language, c.language) << c.values;
    EXPECT_EQ(settings.WMEProjectDir, "");
    Settings reloaded;
    std::string ignored;
    LoadSettings(s.layer, reloaded, ignored, [] { return std::nullopt; });
    EXPECT_EQ(reloaded.StringTab, c.string_tab) << "written back as loaded";
    EXPECT_EQ(reloaded.Language, c.language);
  }
}

TEST(WineInstallPathTest, MapsTheDriveThroughThePrefixLinks) {
  TempFolder prefix;
  prefix.MakeFolder("drive_c/Program Files/WME DevKit");
  prefix.MakeFolder("dosdevices");
  ASSERT_EQ(::symlink("../drive_c", prefix.Join("dosdevices/c:").c_str()), 0);
  ASSERT_EQ(::symlink("/", prefix.Join("dosdevices/z:").c_str()), 0);
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"\"C:\\\\Program Files\\\\WME DevKit\\\\\"",
       prefix.Path() + "/drive_c/Program Files/WME DevKit/"},
      {"\"z:\\\\home\\\\me\\\\Spiele\\\\Gr\\xfc\\xdf\\x65\"",
       "/home/me/Spiele/Gr\xC3\xBC\xC3\x9F"
       "e"},
      {"\"D:\\\\Games\"", std::nullopt},  // no such drive
      {"str(2):\"%ProgramFiles%\"", std::nullopt},
  };
  for (const auto& [value, path] : cases) {
    prefix.Write("user.reg",
                 "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21\n\n"
                 "#arch=win64\n\n[Software\\\\Wine] 1700000000\n\"InstallPath\"=\"C:\\\\no\"\n\n"
                 "[Software\\\\DEAD:CODE\\\\Wintermute Tools\\\\Settings] 1700000001\n"
                 "#time=1da0b0c0d0e0f00\n\"installpath\"=" +
                     value + "\n");
    EXPECT_EQ(ReadWineEngineInstallPath(prefix.Path()), path) << value;
  }
  EXPECT_EQ(ReadWineEngineInstallPath(prefix.Join("missing")), std::nullopt);
}

TEST(FileRegistryStoreReliabilityTest, KeepsACopyOfAFileItCannotReadBeforeWritingOverIt) {
  SettingsStore s;
  const std::string garbage("\x00\x01 not a registry\r\n", 20);
  EXPECT_EQ(s.Start(garbage).CSVName, "Dialogue_List.csv") << "taken as a first run";
  EXPECT_EQ(ReadFileBytes(s.path + ".unreadable"), garbage);
  EXPECT_EQ(ReadFileBytes(s.path), kFirstRunFile);
  s.folder.Write("Kelterpine/Dwelvane.reg", "also no registry");
  FileRegistryStore next_run(s.path);
  ASSERT_EQ(next_run.CreateKey(kHkeyCurrentUser, kSettingsKey), kRegistrySuccess);
  EXPECT_EQ(ReadFileBytes(s.path + ".unreadable"), garbage) << "an earlier copy stays";
  EXPECT_EQ(ReadFileBytes(s.path + ".unreadable.2"), "also no registry");
}

TEST(FileRegistryStoreReliabilityTest, AKilledWriterNeverLeavesADamagedStore) {
  SettingsStore s;
  s.Start("");
  int killed_mid_write = 0;  // a temporary file was left: the kill came during a write
  for (int round = 0; round < 100; ++round) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      FileRegistryStore store(s.path);
      RegistryLayer layer(store, [](std::string_view, std::string_view) {});
      Settings settings;
      for (int i = 0;; ++i) {
        settings.StringTab.assign(static_cast<std::size_t>(i % 200), 'x');
        SaveSetting(layer, settings, TextSetting::kStringTab);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(300 + round * 70));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    for (const auto& entry : std::filesystem::directory_iterator(s.folder.Join("Kelterpine"))) {
      killed_mid_write += entry.path().filename().string().starts_with(".Dwelvane.reg.") ? 1 : 0;
    }
    const std::vector<RegFileKey> keys = ParseRegFile(ReadFileBytes(s.path));
    ASSERT_FALSE(keys.empty()) << "round " << round;
    EXPECT_EQ(keys.back().values.size(), 6u) << "round " << round;
  }
  RecordProperty("killed_mid_write", killed_mid_write);
}

}  // namespace
}  // namespace dwelvane

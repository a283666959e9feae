#include "settings/win32_registry_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/registry_layer.h"
#include "settings/settings_persistence.h"

namespace dwelvane {
namespace {

constexpr std::string_view kTestKey = "Software\\Kelterpine\\DwelvaneRegistryTest";

// The layer over the real registry; the error box is recorded instead of shown.
struct RealRegistry {
  Win32RegistryStore store;
  std::vector<std::string> boxes;
  RegistryLayer layer{store, [this](std::string_view caption, std::string_view text) {
                        boxes.push_back(std::string(caption) + "|" + std::string(text));
                      }};

  // The test key starts and ends missing; deleting a key that isn't there fails harmlessly.
  RealRegistry() {
    static_cast<void>(
        layer.RegistryDeleteKey(kHkeyCurrentUser, std::string(kTestKey) + "\\Sub", ""));
    static_cast<void>(layer.RegistryDeleteKey(kHkeyCurrentUser, kTestKey, ""));
  }
  // Whether it was there or not, the program's settings key is gone afterwards.
  void RemoveSettingsKey() {
    static_cast<void>(layer.RegistryDeleteKey(kHkeyCurrentUser, kSettingsKey, ""));
    ASSERT_EQ(layer.RegistryKeyExists(kHkeyCurrentUser, kSettingsKey, ""), 0);
  }
  ~RealRegistry() { static_cast<void>(layer.RegistryDeleteKey(kHkeyCurrentUser, kTestKey, "")); }
};

TEST(Win32RegistryTest, ReadsAndWritesAsTheLayerPromises) {
  RealRegistry r;
  EXPECT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kTestKey, "A", "x", kRegistryString, ""), 0);
  EXPECT_EQ(r.boxes, (std::vector<std::string>{"Fehler|Ein Fehler ist aufgetreten"}));
  EXPECT_EQ(r.layer.RegistryKeyExists(kHkeyCurrentUser, kTestKey, ""), 0);
  ASSERT_EQ(
      r.layer.RegistryCreateKey(kHkeyCurrentUser, std::string("\\") + std::string(kTestKey), ""),
      1);
  const std::string fits(254, 'a');
  ASSERT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kTestKey, "Fits", fits, kRegistryString, ""),
            1);
  ASSERT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kTestKey, "Long", std::string(300, 'b'),
                                     kRegistryString, ""),
            1);
  ASSERT_EQ(
      r.layer.RegistrySetValue(kHkeyCurrentUser, kTestKey, "Number", "-5", kRegistryNumber, ""), 1);
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kTestKey, "fits", ""), 0);
  EXPECT_EQ(r.layer.RegistryReadResult, fits);
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kTestKey, "Long", ""), 0);
  EXPECT_EQ(r.layer.RegistryReadResult, std::string(300, 'b'));
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kTestKey, "Missing", ""),
            kRegistryFileNotFound);
  EXPECT_EQ(r.layer.RegistryReadResult, std::string(300, 'b')) << "a failed read keeps the last";
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kTestKey, "Number", ""), 0);
  EXPECT_EQ(r.layer.RegistryReadResult, "-5");
  std::uint32_t type = 0;
  std::string data;
  r.store.QueryValue(kHkeyCurrentUser, kTestKey, "Number", type, data);
  EXPECT_EQ(type, kRegistryNumber);
  EXPECT_EQ(data, "\xFB\xFF\xFF\xFF");
  ASSERT_EQ(r.store.SetValue(kHkeyCurrentUser, kTestKey, "Expand", REG_EXPAND_SZ,
                             std::string("%A%\0", 4)),
            kRegistrySuccess);
  EXPECT_NE(r.layer.RegistryGetValue(kHkeyCurrentUser, kTestKey, "Expand", ""), 0);
  EXPECT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, std::string(kTestKey) + "\\Sub", ""), 1);
  EXPECT_EQ(r.layer.RegistryEnumSubKey(kHkeyCurrentUser, kTestKey, 0, ""), "Sub");
  std::vector<std::string> names;
  for (std::uint32_t i = 0;; ++i) {
    const std::string name = r.layer.RegistryEnumValueName(kHkeyCurrentUser, kTestKey, i, "");
    if (name.empty()) {
      break;
    }
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Expand", "Fits", "Long", "Number"}));
  EXPECT_EQ(r.layer.RegistryDeleteValue(kHkeyCurrentUser, kTestKey, "Fits", ""), 1);
  EXPECT_EQ(r.layer.RegistryDeleteKey(kHkeyCurrentUser, std::string(kTestKey) + "\\Sub", ""), 1);
  EXPECT_EQ(r.boxes.size(), 1u);
}

TEST(Win32RegistryTest, AFirstRunWritesTheSixTypedValues) {
  RealRegistry r;
  r.RemoveSettingsKey();
  Settings settings;
  std::string engine;
  LoadSettings(r.layer, settings, engine, [] { return std::nullopt; });
  RunFirstRunStep(r.layer, settings, engine);
  const auto stored = [&](std::string_view name) {
    std::uint32_t type = 0;
    std::string data;
    r.store.QueryValue(kHkeyCurrentUser, kSettingsKey, name, type, data);
    return std::to_string(type) + ":" + data;
  };
  EXPECT_EQ(stored("CSVName"), std::string("1:Dialogue_List.csv\0", 20));
  EXPECT_EQ(stored("StatisticName"), std::string("1:Project_Statistics.txt\0", 25));
  EXPECT_EQ(stored("Seperator"), std::string("1:;\0", 4));
  EXPECT_EQ(stored("WMEProjectDir"), std::string("1:\0", 3));
  EXPECT_EQ(stored("StringTab"), std::string("1:\0", 3));
  EXPECT_EQ(stored("Language"), std::string("4:\0\0\0\0", 6));
  EXPECT_TRUE(r.boxes.empty());
}

TEST(Win32RegistryTest, AFirstRunStartsInTheEngineToolsFolder) {
  RealRegistry r;
  r.RemoveSettingsKey();
  ASSERT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, kEngineToolsKey, ""), 1);
  ASSERT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kEngineToolsKey, "InstallPath", "C:\\WME",
                                     kRegistryString, ""),
            1);
  Settings settings;
  std::string engine;
  LoadSettings(r.layer, settings, engine, [] { return std::nullopt; });
  RunFirstRunStep(r.layer, settings, engine);
  ASSERT_EQ(r.layer.RegistryDeleteKey(kHkeyCurrentUser, kEngineToolsKey, ""), 1);
  EXPECT_EQ(settings.WMEProjectDir, "C:\\WME");
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kSettingsKey, "WMEProjectDir", ""), 0);
  EXPECT_EQ(r.layer.RegistryReadResult, "C:\\WME") << "exactly as stored: no separator added";
}

}  // namespace
}  // namespace dwelvane

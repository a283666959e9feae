#include "settings/win32_registry_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "registry_layer_checks.h"
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
    for (const char* sub : {"\\A", "\\b", ""}) {
      static_cast<void>(layer.RegistryDeleteKey(kHkeyCurrentUser, std::string(kTestKey) + sub, ""));
    }
  }
  // Whether it was there or not, the program's settings key is gone afterwards.
  void RemoveSettingsKey() {
    static_cast<void>(layer.RegistryDeleteKey(kHkeyCurrentUser, kSettingsKey, ""));
    ASSERT_EQ(layer.RegistryKeyExists(kHkeyCurrentUser, kSettingsKey, ""), 0);
  }
  ~RealRegistry() { static_cast<void>(layer.RegistryDeleteKey(kHkeyCurrentUser, kTestKey, "")); }
};

TEST(Win32RegistryTest, TheLayerKeepsItsPromisesOverTheRealRegistry) {
  RealRegistry r;
  testing::CheckLayerPromises(r.store, std::string(kTestKey));
}

// A first run starts in the engine tools' folder, exactly as stored, and writes the six
// values with their types.
TEST(Win32RegistryTest, AFirstRunWritesTheSixTypedValues) {
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
  const auto stored = [&](std::string_view name) {
    std::uint32_t type = 0;
    std::string data;
    r.store.QueryValue(kHkeyCurrentUser, kSettingsKey, name, type, data);
    return std::to_string(type) + ":" + data;
  };
  EXPECT_EQ(stored("CSVName"), std::string("1:Dialogue_List.csv\0", 20));
  EXPECT_EQ(stored("StatisticName"), std::string("1:Project_Statistics.txt\0", 25));
  EXPECT_EQ(stored("Seperator"), std::string("1:;\0", 4));
  EXPECT_EQ(stored("WMEProjectDir"), std::string("1:C:\\WME\0", 9)) << "no separator added";
  EXPECT_EQ(stored("StringTab"), std::string("1:\0", 3));
  EXPECT_EQ(stored("Language"), std::string("4:\0\0\0\0", 6));
  EXPECT_TRUE(r.boxes.empty());
}

}  // namespace
}  // namespace dwelvane

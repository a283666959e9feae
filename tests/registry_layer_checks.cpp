#include "registry_layer_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "settings/registry_layer.h"

namespace dwelvane::testing {

void CheckLayerPromises(RegistryStore& store, const std::string& key) {
  std::vector<std::string> boxes;
  RegistryLayer layer(store, [&](std::string_view caption, std::string_view text) {
    boxes.push_back(std::string(caption) + "|" + std::string(text));
  });
  const auto set = [&](std::string_view name, std::string_view value, std::uint32_t type) {
    return layer.RegistrySetValue(kHkeyCurrentUser, key, name, value, type, "");
  };
  const auto get = [&](std::string_view name) {
    return layer.RegistryGetValue(kHkeyCurrentUser, key, name, "") == 0 ? layer.RegistryReadResult
                                                                        : "<absent>";
  };
  EXPECT_EQ(set("A", "x", kRegistryString), 0);
  EXPECT_EQ(boxes, std::vector<std::string>{"Fehler|Ein Fehler ist aufgetreten"});
  EXPECT_EQ(layer.RegistryKeyExists(kHkeyCurrentUser, key, ""), 0);
  ASSERT_EQ(layer.RegistryCreateKey(kHkeyCurrentUser, "\\" + key, ""), 1);

  const std::string fits(254, 'a');
  const std::string long_text(300, 'b');
  ASSERT_EQ(set("Fits", fits, kRegistryString), 1);
  ASSERT_EQ(set("Long", long_text, kRegistryString), 1);
  ASSERT_EQ(set("Empty", "", kRegistryString), 1);
  ASSERT_EQ(layer.RegistryCreateKey(kHkeyCurrentUser, key, ""), 1);
  EXPECT_EQ(get("fits"), fits) << "creating an existing key keeps its values";
  EXPECT_EQ(get("Long"), long_text);
  EXPECT_EQ(layer.RegistryGetValue(kHkeyCurrentUser, key, "Missing", ""), kRegistryFileNotFound);
  EXPECT_EQ(layer.RegistryReadResult, long_text) << "a failed read keeps the last result";
  EXPECT_EQ(get("Empty"), "");
  std::uint32_t type = 0;
  std::string data;
  EXPECT_EQ(store.QueryValue(kHkeyCurrentUser, key, "Empty", type, data), kRegistrySuccess);
  EXPECT_EQ(data, std::string(1, '\0'));

  struct Number {
    std::string_view text, bytes, read_back;
  };
  const Number numbers[] = {
      {"-5", "\xFB\xFF\xFF\xFF", "-5"},
      {"abc", std::string_view("\0\0\0\0", 4), "0"},
      {"  42x", std::string_view("\x2A\0\0\0", 4), "42"},
      {"4294967295", "\xFF\xFF\xFF\x7F", "2147483647"},
  };
  for (const Number& n : numbers) {
    EXPECT_EQ(set("N", n.text, kRegistryNumber), 1) << n.text;
    store.QueryValue(kHkeyCurrentUser, key, "N", type, data);
    EXPECT_EQ(type, kRegistryNumber) << n.text;
    EXPECT_EQ(data, n.bytes) << n.text;
    EXPECT_EQ(get("N"), n.read_back) << n.text;
  }
  ASSERT_EQ(store.SetValue(kHkeyCurrentUser, key, "N", kRegistryNumber, "\xFF\xFF\xFF\xFF"),
            kRegistrySuccess);
  EXPECT_EQ(get("N"), "-1");
  ASSERT_EQ(store.SetValue(kHkeyCurrentUser, key, "Expand", 2, std::string("%A%\0", 4)),
            kRegistrySuccess);
  EXPECT_NE(layer.RegistryGetValue(kHkeyCurrentUser, key, "Expand", ""), 0);
  EXPECT_EQ(layer.RegistryReadResult, "-1") << "other types read as absent";

  EXPECT_EQ(layer.RegistryCreateKey(kHkeyCurrentUser, key + "\\b", ""), 1);
  EXPECT_EQ(layer.RegistryCreateKey(kHkeyCurrentUser, key + "\\A", ""), 1);
  EXPECT_EQ(layer.RegistryEnumSubKey(kHkeyCurrentUser, key, 0, ""), "A");
  EXPECT_EQ(layer.RegistryEnumSubKey(kHkeyCurrentUser, key, 1, ""), "b");
  EXPECT_EQ(layer.RegistryEnumSubKey(kHkeyCurrentUser, key, 2, ""), "");
  std::vector<std::string> names;
  for (std::uint32_t i = 0; names.empty() || !names.back().empty(); ++i) {
    names.push_back(layer.RegistryEnumValueName(kHkeyCurrentUser, key, i, ""));
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"", "Empty", "Expand", "Fits", "Long", "N"}));
  EXPECT_EQ(layer.RegistryDeleteKey(kHkeyCurrentUser, key, ""), 0) << "it has sub-keys";
  EXPECT_EQ(layer.RegistryDeleteValue(kHkeyCurrentUser, key, "FITS", ""), 1);
  EXPECT_EQ(layer.RegistryDeleteValue(kHkeyCurrentUser, key, "Fits", ""), 0);
  for (const char* sub : {"\\A", "\\b"}) {
    EXPECT_EQ(layer.RegistryDeleteKey(kHkeyCurrentUser, key + sub, ""), 1) << sub;
    EXPECT_EQ(layer.RegistryKeyExists(kHkeyCurrentUser, key + sub, ""), 0) << sub;
  }
  EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace dwelvane::testing

#include "settings/registry_layer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "registry_layer_checks.h"
#include "runtime/file_faults.h"
#include "settings/file_registry_store.h"
#include "settings/reg_file_format.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using namespace std::string_literals;
using testing::TempFolder;

TEST(RegFileFormatTest, ReadsEveryValueFormSkipsDamageAndWritesTextsItCannotQuoteAsBytes) {
  const std::vector<RegFileKey> keys = ParseRegFile(
      "REGEDIT4\r\n\r\n; a comment\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n"
      "\"Path\"=\"C:\\\\Games\\\\\\\"Demo\\\"\"\r\n\"Number\"=dword:ffffffff\r\n@=\"default\"\r\n"
      "\"Expand\"=hex(2):25,00,\\\r\n  41,00\r\n\"Broken\"=dword:xyz\r\ngarbage line\r\n"
      "\"Unclosed=\"x\r\n[-HKEY_CURRENT_USER\\Software\\Gone]\r\n");
  ASSERT_EQ(keys.size(), 1u);
  const std::vector<RegFileValue>& values = keys[0].values;
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[0].name, "Path");
  EXPECT_EQ(values[0].data, "C:\\Games\\\"Demo\"\0"s);
  EXPECT_EQ(values[1].type, kRegistryNumber);
  EXPECT_EQ(values[1].data, "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(values[2].name, "");
  EXPECT_EQ(values[3].type, 2u);
  EXPECT_EQ(values[3].data, "%\0A\0"s);
  EXPECT_EQ(ParseRegFile(FormatRegFile(keys)).at(0).values.at(3).data, values[3].data);
  const std::vector<RegFileKey> written{{"HKEY_CURRENT_USER\\Software\\Test",
                                         {{"Plain", kRegistryString, "a;b\0"s},
                                          {"Lines", kRegistryString, "a\r\nb\0"s},
                                          {"Language", kRegistryNumber, "\x01\0\0\0"s}}}};
  const std::string text = FormatRegFile(written);
  EXPECT_EQ(text,
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n\"Plain\"=\"a;b\"\r\n"
            "\"Lines\"=hex(1):61,0d,0a,62,00\r\n\"Language\"=dword:00000001\r\n\r\n");
  EXPECT_EQ(ParseRegFile(text).at(0).values.at(1).data, written[0].values[1].data);
}

TEST(RegFileFormatTest, DecodesTheUnicodeFormAndKnowsARegistryFileByItsHeader) {
  const std::pair<std::string, std::string> cases[] = {
      {"\xFF\xFE"
       "A\0\xFC\0"s,
       "A\xC3\xBC"},
      {"\xFF\xFE"
       "=\xD8\0\xDE"s,
       "\xF0\x9F\x98\x80"},  // a pair of surrogates
      {"\xFF\xFE"
       "=\xD8"
       "A\0"s,
       "\xEF\xBF\xBD"
       "A"},  // a lone one
      {"\xFF\xFE"
       "A\0B"s,
       "A"},  // an odd last byte
      {"\xEF\xBB\xBFREGEDIT4", "REGEDIT4"},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(DecodeRegFileBytes(bytes), text);
  }
  for (const std::string_view header :
       {"", "REGEDIT4 \r\n[x]", "Windows Registry Editor Version 5.00\n"}) {
    EXPECT_TRUE(IsRegFileText(header)) << header;
  }
  EXPECT_FALSE(IsRegFileText("REGEDIT5\r\n"));
  EXPECT_FALSE(IsRegFileText("\0\x01"s));
}

TEST(RegistryLayerTest, KeepsItsPromisesOverTheFileStore) {
  TempFolder folder;
  const std::string path = folder.Join("config/Kelterpine/Dwelvane.reg");
  FileRegistryStore store(path);
  testing::CheckLayerPromises(store, "Software\\Test");
  int boxes = 0;
  RegistryLayer layer(store, [&](std::string_view, std::string_view) { ++boxes; });
  EXPECT_EQ(
      layer.RegistrySetValue(kHkeyCurrentUser, "Software\\None", "A", "x", kRegistryString, "far"),
      0)
      << "a computer that can't be reached fails as a missing key does";
  EXPECT_EQ(layer.RegistryKeyExists(kHkeyCurrentUser, "Software", ""), 1);
  EXPECT_EQ(layer.RegistryKeyExists(0x80000002, "Software", ""), 0);
  {
    const platform::ScopedFileFaults full_disk([](const platform::FileCallInfo& call) {
      return call.call == platform::FileCall::kWrite ? ENOSPC : 0;
    });
    EXPECT_EQ(
        layer.RegistrySetValue(kHkeyCurrentUser, "Software\\Test", "B", "x", kRegistryString, ""),
        0);
  }
  EXPECT_EQ(boxes, 2) << "a value the store can't keep shows the box too";
  EXPECT_NE(layer.RegistryGetValue(kHkeyCurrentUser, "Software\\Test", "B", ""), 0);
}

TEST(RegistryLayerTest, NeitherAMissingKeyNorADamagedStoreMakesAFile) {
  TempFolder folder;
  FileRegistryStore missing(folder.Join("missing/Dwelvane.reg"));
  RegistryLayer nothing(missing, [](std::string_view, std::string_view) {});
  EXPECT_EQ(
      nothing.RegistrySetValue(kHkeyCurrentUser, "Software\\Test", "A", "x", kRegistryString, ""),
      0);
  EXPECT_FALSE(testing::FileExists(folder.Join("missing/Dwelvane.reg")));
  FileRegistryStore damaged(
      folder.Write("Dwelvane.reg",
                   "\xFF\xFE[HKEY_CURRENT_USER\\Software\\Test]\n\"A\"=\"ok\"\n"
                   "\"B\"=\"unterminated\n\0\0\0[[[\n\"C\"=dword:0000000g\n"s));
  RegistryLayer layer(damaged, [](std::string_view, std::string_view) {});
  EXPECT_EQ(layer.RegistryGetValue(kHkeyCurrentUser, "Software\\Test", "A", ""),
            kRegistryFileNotFound)
      << "the first section's line is damaged by the bytes before it";
  EXPECT_EQ(layer.RegistryCreateKey(kHkeyCurrentUser, "Software\\Test", ""), 1);
  EXPECT_EQ(
      layer.RegistrySetValue(kHkeyCurrentUser, "Software\\Test", "A", "new", kRegistryString, ""),
      1);
  EXPECT_EQ(layer.RegistryGetValue(kHkeyCurrentUser, "Software\\Test", "A", ""), 0);
  EXPECT_EQ(layer.RegistryReadResult, "new");
}

}  // namespace
}  // namespace dwelvane

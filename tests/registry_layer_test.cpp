#include "settings/registry_layer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "runtime/file_faults.h"
#include "settings/file_registry_store.h"
#include "settings/reg_file_format.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

constexpr std::string_view kKey = "Software\\Test";

// A file store in a temporary folder, its layer, and the message boxes it showed.
struct Registry {
  TempFolder folder;
  FileRegistryStore store{folder.Join("config/Kelterpine/Dwelvane.reg")};
  std::vector<std::string> boxes;
  RegistryLayer layer{store, [this](std::string_view caption, std::string_view text) {
                        boxes.push_back(std::string(caption) + ": " + std::string(text));
                      }};

  std::string StoredBytes(std::string_view name) {
    std::uint32_t type = 0;
    std::string data;
    store.QueryValue(kHkeyCurrentUser, kKey, name, type, data);
    return data;
  }
};

TEST(RegFileFormatTest, ReadsEveryValueFormAndSkipsDamage) {
  const std::string text =
      "REGEDIT4\r\n\r\n"
      "; a comment\r\n"
      "[HKEY_CURRENT_USER\\Software\\Test]\r\n"
      "\"Path\"=\"C:\\\\Games\\\\\\\"Demo\\\"\"\r\n"
      "\"Number\"=dword:ffffffff\r\n"
      "@=\"default\"\r\n"
      "\"Expand\"=hex(2):25,00,\\\r\n"
      "  41,00\r\n"
      "\"Broken\"=dword:xyz\r\n"
      "garbage line\r\n"
      "\"Unclosed=\"x\r\n"
      "[-HKEY_CURRENT_USER\\Software\\Gone]\r\n";
  const std::vector<RegFileKey> keys = ParseRegFile(text);
  ASSERT_EQ(keys.size(), 1u);
  const std::vector<RegFileValue>& values = keys[0].values;
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[0].name, "Path");
  EXPECT_EQ(values[0].data, std::string("C:\\Games\\\"Demo\"\0", 16));
  EXPECT_EQ(values[1].type, kRegistryNumber);
  EXPECT_EQ(values[1].data, "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(values[2].name, "");
  EXPECT_EQ(values[3].type, 2u);
  EXPECT_EQ(values[3].data, std::string("%\0A\0", 4));
  EXPECT_EQ(ParseRegFile(FormatRegFile(keys)).at(0).values.at(3).data, values[3].data);
}

TEST(RegFileFormatTest, WritesTextsItCannotQuoteAsBytes) {
  const std::vector<RegFileKey> keys{
      {"HKEY_CURRENT_USER\\Software\\Test",
       {{"Plain", kRegistryString, std::string("a;b\0", 4)},
        {"Lines", kRegistryString, std::string("a\r\nb\0", 5)},
        {"Language", kRegistryNumber, std::string("\x01\0\0\0", 4)}}}};
  const std::string text = FormatRegFile(keys);
  EXPECT_EQ(text,
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n\"Plain\"=\"a;b\"\r\n"
            "\"Lines\"=hex(1):61,0d,0a,62,00\r\n\"Language\"=dword:00000001\r\n\r\n");
  EXPECT_EQ(ParseRegFile(text).at(0).values.at(1).data, keys[0].values[1].data);
}

TEST(RegFileFormatTest, DecodesTheUnicodeFormAndKnowsARegistryFileByItsHeader) {
  struct Case {
    std::string bytes;
    std::string text;
  };
  using namespace std::string_literals;
  const Case cases[] = {
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
      {"REGEDIT4\r\n", "REGEDIT4\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeRegFileBytes(c.bytes), c.text);
  }
  EXPECT_TRUE(IsRegFileText(""));
  EXPECT_TRUE(IsRegFileText("REGEDIT4 \r\n[x]"));
  EXPECT_TRUE(IsRegFileText("Windows Registry Editor Version 5.00\n"));
  EXPECT_FALSE(IsRegFileText("REGEDIT5\r\n"));
  EXPECT_FALSE(IsRegFileText(std::string("\0\x01", 2)));
}

TEST(RegistryLayerTest, ReadsStringsOfAnyLengthWhole) {
  Registry r;
  ASSERT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, kKey, ""), 1);
  const std::string fits(254, 'a');
  const std::string long_path(300, 'b');
  ASSERT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "Fits", fits, kRegistryString, ""), 1);
  ASSERT_EQ(
      r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "LongPath", long_path, kRegistryString, ""),
      1);
  ASSERT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "Empty", "", kRegistryString, ""), 1);
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, "\\Software\\Test", "fits", ""), 0);
  EXPECT_EQ(r.layer.RegistryReadResult, fits);
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "LongPath", ""), 0);
  EXPECT_EQ(r.layer.RegistryReadResult, long_path);
  ASSERT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "Fits", ""), 0);
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "Missing", ""), kRegistryFileNotFound);
  EXPECT_EQ(r.layer.RegistryReadResult, fits) << "a failed read keeps the last result";
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "Empty", ""), 0);
  EXPECT_EQ(r.layer.RegistryReadResult, "");
  EXPECT_EQ(r.StoredBytes("Empty"), std::string(1, '\0'));
  EXPECT_TRUE(r.boxes.empty());
}

TEST(RegistryLayerTest, StoresNumbersFromTheirText) {
  Registry r;
  ASSERT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, kKey, ""), 1);
  struct Case {
    std::string_view text, bytes, read_back;
  };
  const Case cases[] = {
      {"-5", "\xFB\xFF\xFF\xFF", "-5"},
      {"abc", std::string_view("\0\0\0\0", 4), "0"},
      {"  42x", std::string_view("\x2A\0\0\0", 4), "42"},
      {"4294967295", "\xFF\xFF\xFF\x7F", "2147483647"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "N", c.text, kRegistryNumber, ""),
              1);
    EXPECT_EQ(r.StoredBytes("N"), c.bytes) << c.text;
    EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "N", ""), 0);
    EXPECT_EQ(r.layer.RegistryReadResult, c.read_back) << c.text;
  }
  ASSERT_EQ(r.store.SetValue(kHkeyCurrentUser, kKey, "All", kRegistryNumber, "\xFF\xFF\xFF\xFF"),
            kRegistrySuccess);
  r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "All", "");
  EXPECT_EQ(r.layer.RegistryReadResult, "-1");
}

TEST(RegistryLayerTest, ReadsOtherTypesAsAbsent) {
  Registry r;
  ASSERT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, kKey, ""), 1);
  ASSERT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "Text", "kept", kRegistryString, ""),
            1);
  ASSERT_EQ(r.store.SetValue(kHkeyCurrentUser, kKey, "Expand", 2, std::string("%A%\0", 4)),
            kRegistrySuccess);
  r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "Text", "");
  EXPECT_NE(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "Expand", ""), 0);
  EXPECT_EQ(r.layer.RegistryReadResult, "kept");
}

TEST(RegistryLayerTest, WritingIntoAMissingKeyShowsTheErrorBoxAndCreatesNothing) {
  Registry r;
  EXPECT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "A", "x", kRegistryString, ""), 0);
  EXPECT_EQ(r.boxes, (std::vector<std::string>{"Fehler: Ein Fehler ist aufgetreten"}));
  EXPECT_EQ(r.layer.RegistryKeyExists(kHkeyCurrentUser, kKey, ""), 0);
  EXPECT_FALSE(testing::FileExists(r.folder.Join("config/Kelterpine/Dwelvane.reg")));
  EXPECT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "A", "x", kRegistryString, "far"), 0);
  EXPECT_EQ(r.boxes.size(), 2u) << "a computer that can't be reached fails the same way";
}

TEST(RegistryLayerTest, AValueTheStoreCannotKeepShowsTheErrorBoxAndFails) {
  Registry r;
  ASSERT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, kKey, ""), 1);
  {
    const platform::ScopedFileFaults full_disk([](const platform::FileCallInfo& call) {
      return call.call == platform::FileCall::kWrite ? ENOSPC : 0;
    });
    EXPECT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "A", "x", kRegistryString, ""), 0);
  }
  EXPECT_EQ(r.boxes, (std::vector<std::string>{"Fehler: Ein Fehler ist aufgetreten"}));
  EXPECT_NE(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "A", ""), 0);
}

TEST(RegistryLayerTest, CreatesEnumeratesAndDeletesKeysAndValues) {
  Registry r;
  EXPECT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, "\\Software\\Test\\b", ""), 1);
  EXPECT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, "Software\\TEST\\A", ""), 1);
  ASSERT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "Second", "2", kRegistryString, ""),
            1);
  ASSERT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "First", "1", kRegistryString, ""), 1);
  EXPECT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, kKey, ""), 1);
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "second", ""), 0)
      << "creating an existing key keeps its values";
  EXPECT_EQ(r.layer.RegistryEnumSubKey(kHkeyCurrentUser, kKey, 0, ""), "A");
  EXPECT_EQ(r.layer.RegistryEnumSubKey(kHkeyCurrentUser, kKey, 1, ""), "b");
  EXPECT_EQ(r.layer.RegistryEnumSubKey(kHkeyCurrentUser, kKey, 2, ""), "");
  EXPECT_EQ(r.layer.RegistryEnumValueName(kHkeyCurrentUser, kKey, 0, ""), "Second");
  EXPECT_EQ(r.layer.RegistryEnumValueName(kHkeyCurrentUser, kKey, 1, ""), "First");
  EXPECT_EQ(r.layer.RegistryEnumValueName(kHkeyCurrentUser, "Software\\None", 0, ""), "");
  EXPECT_EQ(r.layer.RegistryDeleteKey(kHkeyCurrentUser, kKey, ""), 0) << "it has sub-keys";
  EXPECT_EQ(r.layer.RegistryDeleteValue(kHkeyCurrentUser, kKey, "SECOND", ""), 1);
  EXPECT_EQ(r.layer.RegistryDeleteValue(kHkeyCurrentUser, kKey, "Second", ""), 0);
  EXPECT_EQ(r.layer.RegistryDeleteKey(kHkeyCurrentUser, "Software\\Test\\A", ""), 1);
  EXPECT_EQ(r.layer.RegistryKeyExists(kHkeyCurrentUser, "Software\\Test\\A", ""), 0);
  EXPECT_EQ(r.layer.RegistryKeyExists(kHkeyCurrentUser, "Software", ""), 1);
  EXPECT_EQ(r.layer.RegistryKeyExists(0x80000002, "Software", ""), 0);
}

TEST(RegistryLayerTest, ADamagedStoreNeverStopsTheProgram) {
  Registry r;
  r.folder.Write("config/Kelterpine/Dwelvane.reg",
                 std::string("\xFF\xFE[HKEY_CURRENT_USER\\Software\\Test]\n\"A\"=\"ok\"\n"
                             "\"B\"=\"unterminated\n\0\0\0[[[\n\"C\"=dword:0000000g\n",
                             74));
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "A", ""), kRegistryFileNotFound)
      << "the first section's line is damaged by the bytes before it";
  EXPECT_EQ(r.layer.RegistryCreateKey(kHkeyCurrentUser, kKey, ""), 1);
  EXPECT_EQ(r.layer.RegistrySetValue(kHkeyCurrentUser, kKey, "A", "new", kRegistryString, ""), 1);
  EXPECT_EQ(r.layer.RegistryGetValue(kHkeyCurrentUser, kKey, "A", ""), 0);
  EXPECT_EQ(r.layer.RegistryReadResult, "new");
}

}  // namespace
}  // namespace dwelvane

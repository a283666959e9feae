#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "runtime/file_lock.h"
#include "settings/file_registry_store.h"
#include "settings/reg_file_format.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

constexpr std::string_view kKey = "Software\\Kelterpine\\Dwelvane";

std::string Query(FileRegistryStore& store, std::string_view name) {
  std::uint32_t type = 0;
  std::string data;
  // A stored text ends in its closing zero byte, as in the registry.
  return store.QueryValue(kHkeyCurrentUser, kKey, name, type, data) == kRegistrySuccess
             ? std::string(data.c_str())
             : "-";
}

long Set(FileRegistryStore& store, std::string_view name, std::string_view data) {
  return store.SetValue(kHkeyCurrentUser, kKey, name, kRegistryString, data);
}

const std::string kStore =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kelterpine\\Dwelvane]\r\n"
    "\"CSVName\"=\"a.csv\"\r\n\"Seperator\"=\";\"\r\n";

TEST(FileRegistryStoreTest, ReadsTheFileOnceAndKeepsWhatItStores) {
  TempFolder folder;
  const std::string path = folder.Write("Dwelvane.reg", kStore);
  FileRegistryStore store(path);
  EXPECT_EQ(Query(store, "CSVName"), "a.csv");
  ASSERT_TRUE(std::filesystem::remove(path));
  EXPECT_EQ(Query(store, "Seperator"), ";") << "not read again for the next value";
  folder.Write("Dwelvane.reg", kStore);
  ASSERT_EQ(Set(store, "CSVName", "b.csv"), kRegistrySuccess);
  EXPECT_EQ(Query(store, "CSVName"), "b.csv");
  FileRegistryStore next_run(path);
  EXPECT_EQ(Query(next_run, "CSVName"), "b.csv");
}

// Two copies of the program change the store at once, one through a link to it from
// another folder: both take the same lock, so neither undoes the other's values.
TEST(FileRegistryStoreTest, APathThroughALinkTakesTheSameLock) {
  TempFolder folder;
  const std::string path = folder.Write("real/Dwelvane.reg", kStore);
  folder.MakeFolder("other");
  ASSERT_EQ(::symlink("../real/Dwelvane.reg", folder.Join("other/Dwelvane.reg").c_str()), 0);
  constexpr int kWrites = 300;
  const auto spawn_writer = [&](const std::string& store_path, const char* name) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      FileRegistryStore store(store_path);
      for (int i = 1; i <= kWrites; ++i) {
        if (Set(store, name, std::to_string(i)) != kRegistrySuccess) {
          ::_exit(3);
        }
      }
      ::_exit(0);
    }
    return pid;
  };
  const pid_t writers[] = {spawn_writer(path, "CSVName"),
                           spawn_writer(folder.Join("other/Dwelvane.reg"), "StatisticName")};
  for (const pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  FileRegistryStore store(path);
  EXPECT_EQ(Query(store, "CSVName"), std::to_string(kWrites));
  EXPECT_EQ(Query(store, "StatisticName"), std::to_string(kWrites));
}

TEST(FileRegistryStoreTest, GivesUpOnALockHeldTooLong) {
  TempFolder folder;
  const std::string path = folder.Write("Dwelvane.reg", kStore);
  const FileLock stuck(path + ".lock");
  ASSERT_TRUE(stuck.Held());
  FileRegistryStore store(path, std::chrono::milliseconds(100));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Set(store, "CSVName", "b.csv"), kRegistryAccessDenied);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(ReadFileBytes(path), kStore);
}

TEST(FileRegistryStoreTest, KeepsAUtf16FileAsACopyAndItsOtherKeysWhenItRewritesIt) {
  TempFolder folder;
  std::string utf16 = "\xFF\xFE";
  for (const char c :
       "Windows Registry Editor Version 5.00\r\n\r\n"
       "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Keep\"=\"me\"\r\n\r\n"
       "[HKEY_CURRENT_USER\\Software\\Kelterpine\\Dwelvane]\r\n"
       "\"CSVName\"=\"a.csv\"\r\n") {
    if (c != '\0') {
      utf16 += c;
      utf16 += '\0';
    }
  }
  const std::string path = folder.Write("Dwelvane.reg", utf16);
  FileRegistryStore store(path);
  ASSERT_EQ(Set(store, "Seperator", ","), kRegistrySuccess);
  EXPECT_EQ(ReadFileBytes(path + ".utf16"), utf16);
  const std::string rewritten = ReadFileBytes(path);
  EXPECT_TRUE(rewritten.starts_with("REGEDIT4")) << rewritten;
  EXPECT_EQ(Query(store, "CSVName"), "a.csv");
  EXPECT_NE(rewritten.find("[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Keep\"=\"me\"\r\n"),
            std::string::npos)
      << "other keys stay";
  ASSERT_EQ(Set(store, "Seperator", ";"), kRegistrySuccess);
  EXPECT_FALSE(testing::FileExists(path + ".utf16.2")) << "one copy, of the file as it was";
}

}  // namespace
}  // namespace dwelvane

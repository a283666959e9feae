// `import` when a write of the language's table fails, and when translations can't go into
// the table: the table that was there stays as it was, and nothing half-written remains.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "project_files.h"
#include "runtime/file_faults.h"
#include "runtime/program_paths.h"
#include "temp_folder.h"
#include "translation/import_translations.h"

namespace dwelvane {
namespace {

namespace fs = std::filesystem;
using platform::FileCall;
using namespace testing;

const std::string kWpr = "PROJECT {\r\n  STRING_TABLE = \"English\\STRING.TAB\"\r\n}\r\n";
const std::string kBaseTable = "; base\r\ndlg_0001\tHello\r\ndlg_0002\tGoodbye\r\n";
const std::string kLanguageTable = "German/English/STRING.TAB";
const std::string kTranslations = "id,translation\r\ndlg_0001,Hallo\r\ndlg_0002,Tsch\xC3\xBCss\r\n";
const std::string kImported = "; base\r\ndlg_0001\tHallo\r\ndlg_0002\tTsch\xFCss\r\n";

std::ptrdiff_t CountTemporaryFilesBeside(const std::string& path) {
  std::error_code error;
  return std::ranges::count_if(fs::directory_iterator(fs::path(path).parent_path(), error),
                               [](const fs::directory_entry& entry) {
                                 return entry.path().string().find(".dwvtmp-") != std::string::npos;
                               });
}

// Fails the first `call` made on the table's temporary file once it is opened (the open
// itself, a write, its close) or the rename onto the table; counts the failures made.
platform::FileFaultRule FailOnTemporaryFile(FileCall call, int& failed) {
  return [call, &failed, opened = false](const platform::FileCallInfo& info) mutable {
    const bool temporary_named = info.path.find(".dwvtmp-") != std::string_view::npos;
    opened = opened || (info.call == FileCall::kOpen && temporary_named);
    // Writes and closes name no file: those after the temporary file's open are its own.
    const bool on_table =
        info.call == FileCall::kOpen ? temporary_named : info.call == FileCall::kRename || opened;
    if (info.call != call || !on_table || failed > 0) {
      return 0;
    }
    ++failed;
    return ENOSPC;
  };
}

TEST(ImportFailureTest, AFailedWriteKeepsTheTableAndLeavesNoTemporaryFile) {
  const std::string before = "; mine\r\ndlg_0001\tGuten Tag\r\n";
  for (const bool table_was_there : {true, false})
    for (const FileCall call :
         {FileCall::kOpen, FileCall::kWrite, FileCall::kClose, FileCall::kRename}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(call)) + (table_was_there ? "" : ", new"));
      TempFolder folder;
      WriteProject(folder, {{"game.wpr", kWpr}, {"English/STRING.TAB", kBaseTable}});
      const std::string table =
          table_was_there ? folder.Write(kLanguageTable, before) : folder.Join(kLanguageTable);
      ImportOptions options;
      options.project_folder = EnsureTrailingSeparator(folder.Path());
      options.language = "German";
      options.input_path = folder.Write("de.csv", kTranslations);
      int failed = 0;
      ImportReport report;
      {
        const platform::ScopedFileFaults faulty(FailOnTemporaryFile(call, failed));
        report = ImportTranslations(options);
      }
      EXPECT_EQ(failed, 1);
      EXPECT_EQ(report.failure.code, ENOSPC);
      EXPECT_FALSE(report.written);
      EXPECT_EQ(testing::FileExists(table), table_was_there);
      EXPECT_EQ(ReadFileBytes(table), table_was_there ? before : "");
      EXPECT_EQ(CountTemporaryFilesBeside(table), 0);

      const ImportReport again = ImportTranslations(options);
      EXPECT_TRUE(again.written);
      EXPECT_EQ(ReadFileBytes(table), kImported);
    }
}

struct BadFile {
  const char* name;
  std::string base_table;
  std::string file_name;
  std::string file;
  std::vector<std::string> named;  // "FILE:LINE: ID" of each translation refused
  std::string skipping_bad;        // the table --skip-bad writes
};

const std::string kPoHeader =
    "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";

std::string PoMessage(const std::string& id, const std::string& source,
                      const std::string& translation) {
  return "msgctxt \"" + id + "\"\nmsgid \"" + source + "\"\nmsgstr \"" + translation + "\"\n\n";
}

const BadFile kBadFiles[] = {
    {"unknown ID",
     kBaseTable,
     "de.csv",
     "id,translation\r\ndlg_0001,Hallo\r\ndlg_0999,Wer?\r\ndlg_0002,Bis bald\r\n",
     {"de.csv:3: dlg_0999"},
     "; base\r\ndlg_0001\tHallo\r\ndlg_0002\tBis bald\r\n"},
    {"bar and tab",
     kBaseTable,
     "de.csv",
     "id,translation\r\ndlg_0001,Hal|lo\r\ndlg_0002,\"Bis\tbald\"\r\n",
     {"de.csv:2: dlg_0001", "de.csv:3: dlg_0002"},
     kBaseTable},
    {"not in Windows-1252",
     kBaseTable,
     "de.po",
     kPoHeader +
         PoMessage("dlg_0001", "Hello",
                   "\xC5\x81\xC3\xB3"
                   "d\xC5\xBA") +
         PoMessage("dlg_0002", "Goodbye", "Tsch\xC3\xBCss"),
     {"de.po:5: dlg_0001"},
     "; base\r\ndlg_0001\tHello\r\ndlg_0002\tTsch\xFCss\r\n"},
    {"tab in a PO string",
     kBom + kBaseTable,
     "de.po",
     kPoHeader + PoMessage("dlg_0002", "Goodbye", "Bis\\tbald") +
         PoMessage("DLG_0001", "Hello",
                   "\xC5\x81\xC3\xB3"
                   "d\xC5\xBA"),
     {"de.po:5: dlg_0002"},
     kBom + "; base\r\ndlg_0001\t\xC5\x81\xC3\xB3"
            "d\xC5\xBA\r\ndlg_0002\tGoodbye\r\n"},
};

TEST(ImportFailureTest, BadTranslationsWriteNothingUnlessSkipped) {
  for (const BadFile& bad : kBadFiles) {
    SCOPED_TRACE(bad.name);
    TempFolder folder;
    WriteProject(
        folder,
        {{"game.wpr", kWpr}, {"English/STRING.TAB", bad.base_table}, {bad.file_name, bad.file}});
    const std::vector<std::string> words = {"import", "--language", "German", bad.file_name,
                                            folder.Path()};
    const CliRun refused = RunDwelvaneCli(folder, words);
    EXPECT_EQ(refused.exit_code, 1);
    for (const std::string& named : bad.named) {
      EXPECT_NE(refused.err.find(folder.Join(named)), std::string::npos) << refused.err;
    }
    EXPECT_FALSE(testing::FileExists(folder.Join("German")));

    std::vector<std::string> skipping = words;
    skipping.insert(skipping.begin() + 1, "--skip-bad");
    const CliRun skipped = RunDwelvaneCli(folder, skipping);
    EXPECT_EQ(skipped.exit_code, 3) << skipped.err;
    EXPECT_EQ(ReadFileBytes(folder.Join(kLanguageTable)), bad.skipping_bad);
    EXPECT_EQ(CountTemporaryFilesBeside(folder.Join(kLanguageTable)), 0);
  }
}

}  // namespace
}  // namespace dwelvane

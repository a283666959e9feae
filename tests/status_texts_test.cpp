#include "app/status_texts.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>

#include "runtime/directory_listing.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

// The system's own codes for the causes the window names in its words, and one it doesn't.
#ifdef _WIN32
constexpr int kDenied = 5;     // ERROR_ACCESS_DENIED
constexpr int kNoSpace = 112;  // ERROR_DISK_FULL
constexpr int kInUse = 32;     // ERROR_SHARING_VIOLATION
constexpr int kUnnamed = 23;   // ERROR_CRC
#else
constexpr int kDenied = EACCES;
constexpr int kNoSpace = ENOSPC;
constexpr int kInUse = EBUSY;
constexpr int kUnnamed = EIO;
#endif

// A folder that isn't there, as the system reports it.
IoError MissingFolder(const testing::TempFolder& folder) {
  DirectoryListing listing;
  const std::string path = folder.Join("gone");
  return listing.DirListOpen(path).On(path);
}

// A run that wrote a table and met everything there is to warn about.
void MeetEverything(RunReport& report) {
  report.written = "/p/Dialogue_List.csv";
  report.lines = 12;
  report.unreadable = 3;
  report.links_out = 1;
  report.no_project_file = true;
  report.mixed_encodings = true;
  report.name_in_utf8 = "\xC5\xBB\xC3\xB3\xC5\x82w";
}

struct RunCase {
  const char* label;
  std::function<void(RunReport&)> run;  // what the run came to
  std::string english, german;
};

TEST(StatusTextsTest, SaysWhatARunWroteAndWarnsInTheWindowsLanguage) {
  const testing::TempFolder folder;
  const IoError missing = MissingFolder(folder);
  ASSERT_TRUE(missing.Missing());
  const RunCase cases[] = {
      {"one line",
       [](RunReport& r) {
         r.written = "/p/t.csv";
         r.lines = 1;
       },
       "1 line written to /p/t.csv", "1 Zeile in /p/t.csv geschrieben"},
      {"no line",
       [](RunReport& r) {
         r.written = "/p/t.csv";
         r.lines = 0;
       },
       "0 lines written to /p/t.csv", "0 Zeilen in /p/t.csv geschrieben"},
      {"every warning, in order", MeetEverything,
       "12 lines written to /p/Dialogue_List.csv \xE2\x80\x93 3 files could not be read "
       "\xE2\x80\x93 1 link leads out of the project and was not followed \xE2\x80\x93 No .wpr "
       "file in the project folder: is it a WME project? \xE2\x80\x93 The table mixes lines of "
       "Windows-1252 and UTF-8 scripts \xE2\x80\x93 Written in UTF-8: the code page lacks "
       "characters of \xC5\xBB\xC3\xB3\xC5\x82w",
       "12 Zeilen in /p/Dialogue_List.csv geschrieben \xE2\x80\x93 3 Dateien konnten nicht "
       "gelesen werden \xE2\x80\x93 1 Verkn\xC3\xBCpfung f\xC3\xBChrt aus dem Projekt und wurde "
       "nicht verfolgt \xE2\x80\x93 Keine .wpr-Datei im Projektordner: ist es ein WME-Projekt? "
       "\xE2\x80\x93 Die Tabelle mischt Zeilen aus Skripten in Windows-1252 und UTF-8 "
       "\xE2\x80\x93 In UTF-8 geschrieben: der Codepage fehlen Zeichen von "
       "\xC5\xBB\xC3\xB3\xC5\x82w"},
      {"the report",
       [](RunReport& r) {
         r.written = "/p/r.txt";
         r.unreadable = 1;
       },
       "Report written to /p/r.txt \xE2\x80\x93 1 file could not be read",
       "Bericht in /p/r.txt geschrieben \xE2\x80\x93 1 Datei konnte nicht gelesen werden"},
      {"a scan that wrote nothing", [](RunReport& r) { r.links_out = 2; },
       "2 links lead out of the project and were not followed",
       "2 Verkn\xC3\xBCpfungen f\xC3\xBChren aus dem Projekt und wurden nicht verfolgt"},
      {"nothing to say", [](RunReport&) {}, "", ""},
      {"cancelled, whatever it met",
       [](RunReport& r) {
         MeetEverything(r);
         r.result = CommandResult::kCancelled;
       },
       "Cancelled", "Abgebrochen"},
      {"failed",
       [&](RunReport& r) {
         r.result = CommandResult::kOutputFailed;
         r.error = missing;
       },
       "Could not write " + missing.path + ": the folder does not exist",
       missing.path + " konnte nicht geschrieben werden: der Ordner existiert nicht"},
  };
  for (const RunCase& c : cases) {
    RunReport report;
    c.run(report);
    EXPECT_EQ(StatusAfterRun(report, Language::kEnglish), c.english) << c.label;
    EXPECT_EQ(StatusAfterRun(report, Language::kGerman), c.german) << c.label;
  }
}

TEST(StatusTextsTest, NamesTheCauseOfAFailureInTheWindowsLanguage) {
  const testing::TempFolder folder;
  struct CauseCase {
    int code;
    std::string english, german;
  };
  const IoError unnamed{IoOperation::kWrite, "/p/t.csv", kUnnamed};
  const CauseCase cases[] = {
      {MissingFolder(folder).code, "the folder does not exist", "der Ordner existiert nicht"},
      {kDenied, "access is denied", "der Zugriff wurde verweigert"},
      {kNoSpace, "the disk is full", "der Datentr\xC3\xA4ger ist voll"},
      {kInUse, "another program has the file open",
       "ein anderes Programm hat die Datei ge\xC3\xB6"
       "ffnet"},
      {kReadOnly, "the file is read-only", "die Datei ist schreibgesch\xC3\xBCtzt"},
      {kOutputIsALink, "it is a link", "es ist eine Verkn\xC3\xBCpfung"},
      {kLeadsOutOfTheProject, "its folder lies outside the project",
       "ihr Ordner liegt au\xC3\x9F"
       "erhalb des Projekts"},
      // The system's own words, in the system's language, for a cause the window has none
      // for.
      {kUnnamed, unnamed.Describe(), unnamed.Describe()},
      {0, "", ""},
  };
  for (const CauseCase& c : cases) {
    const IoError error{IoOperation::kWrite, "/p/t.csv", c.code};
    EXPECT_EQ(DescribeCause(error, Language::kEnglish), c.english) << c.code;
    EXPECT_EQ(DescribeCause(error, Language::kGerman), c.german) << c.code;
  }
  EXPECT_FALSE(unnamed.Describe().empty());
}

}  // namespace
}  // namespace dwelvane

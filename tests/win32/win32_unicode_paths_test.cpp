#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "win32/wide_files.h"

// Project folders whose names the ANSI code page (Windows-1252 under Wine) lacks, or whose
// paths are longer than MAX_PATH, through both programs.
namespace dwelvane {
namespace {

using namespace gadget;
using testing::Golden;
using testing::ReadWholeFile;
using testing::TempFolder;

struct Place {
  const char* label;
  std::string name;                    // the folder's name in UTF-8
  std::wstring wide_name;              // and as the window shows it
  std::optional<std::string> in_ansi;  // in Windows-1252; nothing when it lacks a character
};

std::vector<Place> Places() {
  std::string deep = "deep";
  while (deep.size() < 300) {
    deep += "\\abcdefghijklmnopqrstuvw";
  }
  return {
      {"Polish", "\xC5\xBB\xC3\xB3\xC5\x82w", L"\u017B\u00F3\u0142w", std::nullopt},
      {"Russian", "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82",
       L"\u041F\u0440\u043E\u0435\u043A\u0442", std::nullopt},
      {"German", "M\xC3\xBCller", L"M\u00FCller", "M\xFCller"},
      {"long", deep, std::wstring(deep.begin(), deep.end()), deep},
  };
}

testing::ProgramRun RunCli(const std::vector<std::string>& words) {
  return testing::RunProgram(testing::WinePath(DWELVANE_CLI_PATH), words);
}

std::size_t Count(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(UnicodePathsTest, TheCommandLineFindsEveryScriptAndWritesIntoTheFolder) {
  SetEnvironmentVariableW(L"SOURCE_DATE_EPOCH", L"1233824703");
  for (const Place& place : Places()) {
    const TempFolder folder;
    const std::string project = testing::CopyDemoTo(folder, place.name);
    const auto dialogue = RunCli(
        {"dialogue", "--columns=name,line,speaker,sentence,audio,reference,translate", project});
    EXPECT_EQ(dialogue.exit_code, 0u) << place.label << ": " << dialogue.error_output;
    EXPECT_EQ(ReadWholeFile(project + "\\Dialogue_List.csv"), Golden("demo_dialogue.csv"))
        << place.label;
    const auto stats = RunCli({"stats", "--output", project + "\\Project_Statistics.txt", project});
    EXPECT_EQ(stats.exit_code, 0u) << place.label << ": " << stats.error_output;
    EXPECT_EQ(ReadWholeFile(project + "\\Project_Statistics.txt"), Golden("demo_statistics_en.txt"))
        << place.label;
    // The locations keep the code page where it holds them, else they are UTF-8, with one
    // warning; the cases are those of Windows-1252.
    if (GetACP() != 1252) {
      continue;
    }
    const std::string table = project + "\\locations.csv";
    const auto run = RunCli({"dialogue", "--columns=location", "--output", table, project});
    EXPECT_EQ(run.exit_code, 0u) << place.label;
    const std::string written = ReadWholeFile(table);
    const std::string start =
        "\"" + folder.Path() + "\\" + place.in_ansi.value_or(place.name) + "\\Demo\\";
    EXPECT_EQ(Count(written, "\r\n"), Count(Golden("demo_dialogue.csv"), "\r\n")) << place.label;
    EXPECT_EQ(Count(written, "\r\n" + start), Count(written, "\r\n") - 1) << place.label;
    EXPECT_EQ(written.rfind(start, 0), 0u) << place.label << ": " << written.substr(0, 200);
    EXPECT_EQ(Count(run.error_output, "code page lacks characters of '"), place.in_ansi ? 0u : 1u)
        << place.label << ": " << run.error_output;
    if (!place.in_ansi) {
      EXPECT_NE(run.error_output.find(place.name), std::string::npos) << run.error_output;
    }
  }
  SetEnvironmentVariableW(L"SOURCE_DATE_EPOCH", nullptr);
}

TEST(UnicodePathsTest, TheWindowOpensTheProjectAndWritesIntoIt) {
  for (const Place& place : Places()) {
    const TempFolder projects;
    const std::string project = testing::CopyDemoTo(projects, place.name);
    testing::ProjectWindow built(project);
    const std::wstring wide_project(project.begin(), project.end() - place.name.size() - 5);
    const std::wstring shown_project = wide_project + place.wide_name + L"\\Demo\\";
    EXPECT_EQ(built.Shown(kProjectPathField), shown_project) << place.label;
    built.Click(kScriptLocationCheck);
    built.Click(kTranslateCheck);
    built.Click(kCreateCsvButton);
    EXPECT_EQ(ReadWholeFile(project + "\\Dialogue_List.csv"), Golden("demo_dialogue.csv"))
        << place.label;
    const std::wstring written = L"24 lines written to " + shown_project + L"Dialogue_List.csv";
    EXPECT_EQ(built.Shown(kStatusText), written) << place.label;
    built.Click(kScriptLocationCheck);
    built.Click(kCreateCsvButton);
    const std::wstring in_utf8 = L" \u2013 Written in UTF-8: the code page lacks characters of ";
    EXPECT_EQ(built.Shown(kStatusText).rfind(written + (place.in_ansi ? L"" : in_utf8), 0), 0u)
        << place.label << ": the status line names what the table holds in UTF-8";
    built.Click(kWriteToFileCheck);
    built.Click(kScanProjectButton);
    EXPECT_EQ(ReadWholeFile(project + "\\Project_Statistics.txt"), Golden("demo_statistics_en.txt"))
        << place.label;
    EXPECT_EQ(built.Shown(kStatusText),
              L"Report written to " + shown_project + L"Project_Statistics.txt")
        << place.label;
  }
}

// Answers the next file dialog with `path`, typed into its name box, from another thread
// while the window's thread waits in the dialog.
std::thread AnswerFileDialog(const std::wstring& title, const std::wstring& path) {
  return std::thread([title, path] {
    for (int attempt = 0; attempt < 400; ++attempt) {
      const HWND dialog = FindWindowW(L"#32770", title.c_str());
      if (dialog != nullptr && IsWindowVisible(dialog)) {
        HWND name_box = GetDlgItem(dialog, cmb13);
        name_box = name_box != nullptr ? name_box : GetDlgItem(dialog, edt1);
        SendMessageW(name_box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return;
      }
      Sleep(25);
    }
  });
}

TEST(UnicodePathsTest, TheFileDialogsChoiceKeepsTheName) {
  const TempFolder projects;
  const Place russian = Places()[1];
  const std::string project = testing::CopyDemoTo(projects, russian.name);
  testing::ProjectWindow built("");
  const std::wstring chosen = std::wstring(projects.Path().begin(), projects.Path().end()) + L"\\" +
                              russian.wide_name + L"\\Demo\\";
  std::thread answer = AnswerFileDialog(L"Select a WME projectfile", chosen + L"Demo.wpr");
  built.Click(kSelectProjectButton);
  answer.join();
  EXPECT_EQ(built.state.settings.WMEProjectDir, project + "\\");
  EXPECT_EQ(built.Shown(kProjectPathField), chosen);
  built.Click(kCreateCsvButton);
  EXPECT_NE(ReadWholeFile(project + "\\Dialogue_List.csv"), "");
}

}  // namespace
}  // namespace dwelvane

#include "translation/project_tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "runtime/path_separator.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

TEST(ProjectTablesTest, ReadsTheStringTableSetting) {
  const std::pair<std::string_view, std::optional<std::string_view>> cases[] = {
      {"SETTINGS {\r\n  GAME=\"x.game\"\r\n  STRING_TABLE=\"string.tab\"\r\n}\r\n", "string.tab"},
      {"\tstring_table\t=\tlang\\s.tab\r", "lang\\s.tab"},
      {"STRING_TABLE=\"\"\r\nString_Table = \"second.tab\"", "second.tab"},
      {"STRING_TABLE_2=\"no.tab\"\r\nMY_STRING_TABLE=\"no.tab\"", std::nullopt},
      {"STRING_TABLE \"no.tab\"", std::nullopt},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(StringTableSetting(text), value) << text;
  }
}

// `package` is below the project folder (empty: the project folder itself), `relative`
// below the package; both with "/" between names.
void ExpectTable(const TempFolder& project, const ProjectTable& got, std::string_view package,
                 std::string relative, std::string_view what) {
  const std::string folder = package.empty() ? project.Path() : project.Join(package);
  EXPECT_EQ(got.package_folder, folder) << what;
  EXPECT_EQ(got.path, project.Join((package.empty() ? "" : std::string(package) + "/") + relative))
      << what;
  for (char& c : relative) {
    c = c == '/' ? kPathSeparator : c;
  }
  EXPECT_EQ(got.relative, relative) << what;
}

TEST(ProjectTablesTest, FindsTheBaseTableAndEachLanguagesTable) {
  struct Case {
    std::string_view what;
    std::vector<std::pair<std::string_view, std::string_view>> files;
    std::string_view package, relative, language, language_package;
  };
  const Case cases[] = {
      {"startup.settings of the primary package wins over the .wpr",
       {{"Game.wpr",
         "STRING_TABLE = \"English\\STRING.TAB\"\r\n[Package1]\r\nFolder=extra\r\n"
         "[Package2]\r\nFolder=Data\r\nPrimary=1\r\n[Package3]\r\nFolder=langs\\German\r\n"},
        {"Data/Startup.Settings", "SETTINGS {\r\n  STRING_TABLE=\"lang\\strings.tab\"\r\n}\r\n"},
        {"Data/Lang/Strings.TAB", ""},
        {"English/STRING.TAB", ""}},
       "Data",
       "Lang/Strings.TAB",
       "german",
       "langs/German"},
      {"the .wpr's table without packages; the language's folder in its own letter case",
       {{"Demo.wpr", "PROJECT {\r\n  STRING_TABLE = \"English\\STRING.TAB\"\r\n}\r\n"},
        {"english/string.tab", ""},
        {"polish/readme.txt", ""}},
       "",
       "english/string.tab",
       "Polish",
       "polish"},
      {"the .wpr's table inside a package it lists",
       {{"P.wpr", "STRING_TABLE=\"data\\tables\\s.tab\"\r\n[Package1]\r\nFolder=Data\r\n"},
        {"Data/tables/S.tab", ""}},
       "Data",
       "tables/S.tab",
       "French",
       "French"},
      {"the primary package's string.tab when nothing names a table",
       {{"P.wpr", "[Package1]\r\nFolder=pkg\r\nPrimary=1\r\n[Package2]\r\nFolder=lang\\de\r\n"},
        {"pkg/startup.settings", "SETTINGS {\r\n  GAME=\"x.game\"\r\n}\r\n"},
        {"pkg/String.Tab", ""}},
       "pkg",
       "String.Tab",
       "DE",
       "lang/de"},
      {"English/STRING.TAB when there is none at all",
       {{"P.wpr", "PROJECT {\r\n}\r\n"}},
       "",
       "English/STRING.TAB",
       "German",
       "German"},
      {"startup.settings in a project without a .wpr",
       {{"startup.settings", "STRING_TABLE=\"t.tab\""}},
       "",
       "t.tab",
       "German",
       "German"},
  };
  for (const Case& c : cases) {
    TempFolder project;
    for (const auto& [path, bytes] : c.files) {
      project.Write(path, bytes);
    }
    const ProjectTable base = FindBaseTable(project.Path());
    ExpectTable(project, base, c.package, std::string(c.relative), c.what);
    ExpectTable(project, FindLanguageTable(project.Path(), c.language, base), c.language_package,
                std::string(c.relative), c.what);
  }
}

TEST(ProjectTablesTest, FindsTheSampleProjectsTable) {
  const ProjectTable base = FindBaseTable(std::string(DWELVANE_SOURCE_DIR) + "/examples/Demo");
  EXPECT_EQ(base.relative, std::string("English") + kPathSeparator + "STRING.TAB");
  EXPECT_EQ(base.path, base.package_folder + kPathSeparator + base.relative);
}

}  // namespace
}  // namespace dwelvane

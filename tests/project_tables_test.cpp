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
  struct Case {
    std::string_view text;
    std::optional<std::string_view> value;
  };
  const Case cases[] = {
      {"SETTINGS {\r\n  GAME=\"x.game\"\r\n  STRING_TABLE=\"string.tab\"\r\n}\r\n", "string.tab"},
      {"PROJECT {\n  STRING_TABLE = \"English\\STRING.TAB\"\n}\n", "English\\STRING.TAB"},
      {"\tstring_table\t=\tlang\\s.tab\r", "lang\\s.tab"},
      {"STRING_TABLE=\"\"\r\nString_Table=\"second.tab\"", "second.tab"},
      {"STRING_TABLE_2=\"no.tab\"\r\nMY_STRING_TABLE=\"no.tab\"", std::nullopt},
      {"STRING_TABLE \"no.tab\"", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StringTableSetting(c.text), c.value) << c.text;
  }
}

// Paths below the project folder, "/" between names; an empty package folder is the
// project folder itself.
struct ExpectedTable {
  std::string_view path, package_folder, relative;
};

void ExpectTable(const TempFolder& project, const ProjectTable& got, const ExpectedTable& want,
                 std::string_view what) {
  EXPECT_EQ(got.path, project.Join(want.path)) << what;
  EXPECT_EQ(got.package_folder,
            want.package_folder.empty() ? project.Path() : project.Join(want.package_folder))
      << what;
  std::string relative(want.relative);
  for (char& c : relative) {
    c = c == '/' ? kPathSeparator : c;
  }
  EXPECT_EQ(got.relative, relative) << what;
}

TEST(ProjectTablesTest, FindsTheBaseTableAndEachLanguagesTable) {
  struct File {
    std::string_view path, bytes;
  };
  struct Case {
    std::string_view what;
    std::vector<File> files;
    ExpectedTable base;
    std::string_view language;
    ExpectedTable language_table;
  };
  const Case cases[] = {
      {"startup.settings of the primary package wins over the .wpr",
       {{"Game.wpr",
         "STRING_TABLE = \"English\\STRING.TAB\"\r\n[Package1]\r\nFolder=extra\r\n"
         "[Package2]\r\nFolder=Data\r\nPrimary=1\r\n[Package3]\r\nFolder=langs\\German\r\n"},
        {"Data/Startup.Settings", "SETTINGS {\r\n  STRING_TABLE=\"lang\\strings.tab\"\r\n}\r\n"},
        {"Data/Lang/Strings.TAB", ""},
        {"English/STRING.TAB", ""}},
       {"Data/Lang/Strings.TAB", "Data", "Lang/Strings.TAB"},
       "german",
       {"langs/German/Lang/Strings.TAB", "langs/German", "Lang/Strings.TAB"}},
      {"the .wpr's table without packages; the language's folder in its own letter case",
       {{"Demo.wpr", "PROJECT {\r\n  STRING_TABLE = \"English\\STRING.TAB\"\r\n}\r\n"},
        {"english/string.tab", ""},
        {"polish/readme.txt", ""}},
       {"english/string.tab", "", "english/string.tab"},
       "Polish",
       {"polish/english/string.tab", "polish", "english/string.tab"}},
      {"the .wpr's table inside a package it lists",
       {{"P.wpr", "STRING_TABLE=\"data\\tables\\s.tab\"\r\n[Package1]\r\nFolder=Data\r\n"},
        {"Data/tables/S.tab", ""}},
       {"Data/tables/S.tab", "Data", "tables/S.tab"},
       "French",
       {"French/tables/S.tab", "French", "tables/S.tab"}},
      {"the primary package's string.tab when nothing names a table",
       {{"P.wpr", "[Package1]\r\nFolder=pkg\r\nPrimary=1\r\n[Package2]\r\nFolder=lang\\de\r\n"},
        {"pkg/startup.settings", "SETTINGS {\r\n  GAME=\"x.game\"\r\n}\r\n"},
        {"pkg/String.Tab", ""}},
       {"pkg/String.Tab", "pkg", "String.Tab"},
       "DE",
       {"lang/de/String.Tab", "lang/de", "String.Tab"}},
      {"English/STRING.TAB when there is none at all",
       {{"P.wpr", "PROJECT {\r\n}\r\n"}},
       {"English/STRING.TAB", "", "English/STRING.TAB"},
       "German",
       {"German/English/STRING.TAB", "German", "English/STRING.TAB"}},
      {"startup.settings in a project without a .wpr",
       {{"startup.settings", "STRING_TABLE=\"t.tab\""}},
       {"t.tab", "", "t.tab"},
       "German",
       {"German/t.tab", "German", "t.tab"}},
  };
  for (const Case& c : cases) {
    TempFolder project;
    for (const File& file : c.files) {
      project.Write(file.path, file.bytes);
    }
    const ProjectTable base = FindBaseTable(project.Path());
    ExpectTable(project, base, c.base, c.what);
    ExpectTable(project, FindLanguageTable(project.Path(), c.language, base), c.language_table,
                c.what);
  }
}

TEST(ProjectTablesTest, FindsTheSampleProjectsTable) {
  const std::string demo = std::string(DWELVANE_SOURCE_DIR) + "/examples/Demo";
  const ProjectTable base = FindBaseTable(demo);
  EXPECT_EQ(base.relative, std::string("English") + kPathSeparator + "STRING.TAB");
  EXPECT_EQ(base.path, base.package_folder + kPathSeparator + base.relative);
}

}  // namespace
}  // namespace dwelvane

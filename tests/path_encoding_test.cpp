#include <gtest/gtest.h>

#include <string>

#include "dialogue/create_csv_table.h"
#include "runtime/path_separator.h"
#include "runtime/text_encoding.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

// "Schön" as Windows wrote it, "Übel" as Linux writes it, and both in UTF-8.
const std::string kSchoen1252 = "Sch\xF6n";
const std::string kUebelUtf8 =
    "\xC3\x9C"
    "bel";
const std::string kSchoenUtf8 = "Sch\xC3\xB6n";

TEST(PathAsUtf8Test, ConvertsEachNameFromItsOwnEncoding) {
  const std::string sep(1, kPathSeparator);
  struct Case {
    std::string path;
    std::string utf8;
  };
  const Case cases[] = {
      {"", ""},
      {kSchoen1252 + "/" + kUebelUtf8 + "/a.script", kSchoenUtf8 + "/" + kUebelUtf8 + "/a.script"},
      {kUebelUtf8 + sep + kSchoen1252 + sep, kUebelUtf8 + sep + kSchoenUtf8 + sep},
      // A name cut in the middle of a UTF-8 sequence by nothing but a separator is no UTF-8.
      {"\xC3/\x9C", "\xC3\x83/\xC5\x93"},
  };
  for (const Case& c : cases) {
    std::string out = "kept:";
    AppendPathAsUtf8(out, c.path);
    EXPECT_EQ(out, "kept:" + c.utf8) << c.path;
  }
}

#ifndef _WIN32
// File names are bytes here, so one path can hold folders named in both encodings.
TEST(PathAsUtf8Test, TheTablesLocationsNameEachFolderInItsOwnEncoding) {
  TempFolder project;
  project.Write(kSchoen1252 + "/" + kUebelUtf8 + "/a.script", "g.Talk(\"hi\");\n");
  struct Case {
    OutputEncoding encoding;
    bool relative_paths;
    std::string location;
  };
  const Case cases[] = {
      {OutputEncoding::kUtf8, true, kSchoenUtf8 + "/" + kUebelUtf8 + "/"},
      {OutputEncoding::kBytes, false, project.Path() + "/" + kSchoen1252 + "/" + kUebelUtf8 + "/"},
  };
  for (const Case& c : cases) {
    DialogueOptions options;
    options.project_folder = project.Path();
    options.output = OutputTarget::File(project.Join("table.csv"));
    options.columns = {.script_line = false,
                       .speaker = false,
                       .reference = false,
                       .sentence = false,
                       .audio_file = false};
    options.encoding = c.encoding;
    options.relative_paths = c.relative_paths;
    DialogueTable table;
    Progress progress;
    ASSERT_EQ(CreateCsvTable(options, table, progress, {}).result, CommandResult::kCompleted);
    EXPECT_EQ(ReadFileBytes(options.output.path), "\"" + c.location + "\";\"a.script\"\r\n")
        << "relative " << c.relative_paths;
  }
}
#endif

}  // namespace
}  // namespace dwelvane

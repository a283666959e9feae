#include "dialogue/csv_writer.h"

#include <gtest/gtest.h>

#include "runtime/path_separator.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

std::string WriteCsv(const DialogueTable& table, const CsvLayout& layout,
                     std::size_t* formula_cells = nullptr) {
  TempFolder folder;
  const std::string path = folder.Join("out.csv");
  LineWriter writer;
  EXPECT_FALSE(writer.FileCreate(path).Failed());
  const std::size_t formulas = WriteDialogueCsv(table, layout, writer).formula_cells;
  if (formula_cells != nullptr) {
    *formula_cells = formulas;
  }
  EXPECT_FALSE(writer.FileClose().Failed());
  return testing::ReadFileBytes(path);
}

DialogueColumns Only(bool DialogueColumns::*a, bool DialogueColumns::*b = nullptr) {
  DialogueColumns columns{false, false, false, false, false, false, false, false};
  columns.*a = true;
  if (b != nullptr) {
    columns.*b = true;
  }
  return columns;
}

TEST(CsvWriterTest, WritesTheTickedColumnsInTableOrder) {
  DialogueTable table;
  table.AppendRecord() = {
      "C:\\Games\\Demo\\scripts\\", "intro.script", 12,        "guard", "dlg_0042",
      "Halt, \"stranger\"!",        "Halt!",        "halt.ogg"};
  table.AppendRecord() = {"d/", "x.script", -3, R"(Scene.GetNode("Guard"))", "", "", "", ""};
  DialogueColumns all;
  all.translation = true;
  struct Case {
    DialogueColumns columns;
    std::string_view separator, expected;
  };
  const Case cases[] = {
      {DialogueColumns{}, ";",
       "\"C:\\Games\\Demo\\scripts\\\";\"intro.script\";\"12\";\"guard\";\"Halt!\";"
       "\"halt.ogg\";\"dlg_0042\"\r\n"
       "\"d/\";\"x.script\";\"-3\";\"Scene.GetNode(\"\"Guard\"\")\";\"\";\"\";\"\"\r\n"},
      {all, "\t",
       "\"C:\\Games\\Demo\\scripts\\\"\t\"intro.script\"\t\"12\"\t\"guard\"\t\"Halt!\"\t"
       "\"halt.ogg\"\t\"dlg_0042\"\t\"Halt, \"\"stranger\"\"!\"\r\n"
       "\"d/"
       "\"\t\"x.script\"\t\"-3\"\t\"Scene.GetNode(\"\"Guard\"\")\"\t\"\"\t\"\"\t\"\"\t\"\"\r\n"},
      {Only(&DialogueColumns::script_line, &DialogueColumns::audio_file), "",
       "\"12\"\"halt.ogg\"\r\n\"-3\"\"\"\r\n"},
      {Only(&DialogueColumns::translation), ";", "\r\n\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WriteCsv(table, {.columns = c.columns, .separator = std::string(c.separator)}),
              c.expected)
        << "separator [" << c.separator << "]";
  }
}

TEST(CsvWriterTest, WritesUtf8FromEachSourcesOwnEncodingWithAHeaderAndRelativeLocations) {
  const std::string root = std::string("R") + kPathSeparator;
  DialogueTable table;
  table.TranslationEncoding = SourceEncoding::kUtf8;
  table.AppendRecord() = {
      table.StoreText(root + "sc\xC3\xA8nes" + kPathSeparator + "a" + kPathSeparator),
      "caf\xE9.script",
      1,
      "M\xFCller",
      "id",
      "Gr\xC3\xBC\xC3\x9F",
      "\x80 5",
      "",
      SourceEncoding::kWindows1252};
  table.AppendRecord() = {table.StoreText(root), "b.script", 2, "Ren\xC3\xA9", "", "", "\x8D", "",
                          SourceEncoding::kUtf8};
  CsvLayout layout{
      .columns = Only(&DialogueColumns::script_location, &DialogueColumns::script_name),
      .separator = ",",
      .encoding = OutputEncoding::kUtf8WithBom,
      .header = true,
      .relative_to = root};
  layout.columns.speaker = layout.columns.sentence = true;
  layout.columns.reference = layout.columns.translation = true;
  EXPECT_EQ(
      WriteCsv(table, layout),
      "\xEF\xBB\xBF\"location\",\"name\",\"speaker\",\"sentence\",\"reference\",\"translate\"\r\n"
      "\"sc\xC3\xA8nes/a/\",\"caf\xC3\xA9.script\",\"M\xC3\xBCller\",\"\xE2\x82\xAC 5\",\"id\","
      "\"Gr\xC3\xBC\xC3\x9F\"\r\n"
      "\"\",\"b.script\",\"Ren\xC3\xA9\",\"\x8D\",\"\",\"\"\r\n")
      << "the project folder itself is \"\"; a UTF-8 script's bytes stay as they are";
}

TEST(CsvWriterTest, NeutralisesCellsThatStartAFormulaOnlyWhenAsked) {
  // Each of the six characters that make a spreadsheet run a cell, in every text column;
  // in the middle of a cell they are harmless.
  DialogueTable table;
  table.AppendRecord() = {
      "=d/", "+x.script", 1, "-guard", "", "", "=HYPERLINK(\"http://x\",\"y\")", "@audio.ogg"};
  table.AppendRecord() = {"d/", "x.script", 2, "\tguard", "", "", "\rcr", "a=b+c-d@e"};
  struct Case {
    bool safe_cells;
    std::string_view expected;
    std::size_t formula_cells;
  };
  const Case cases[] = {
      {false,
       "\"=d/\";\"+x.script\";\"1\";\"-guard\";\"=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\";"
       "\"@audio.ogg\";\"\"\r\n"
       "\"d/\";\"x.script\";\"2\";\"\tguard\";\"\rcr\";\"a=b+c-d@e\";\"\"\r\n",
       7},
      {true,
       "\"'=d/\";\"'+x.script\";\"1\";\"'-guard\";\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\";"
       "\"'@audio.ogg\";\"\"\r\n"
       "\"d/\";\"x.script\";\"2\";\"'\tguard\";\"'\rcr\";\"a=b+c-d@e\";\"\"\r\n",
       0},
  };
  for (const Case& c : cases) {
    std::size_t formula_cells = 99;
    CsvLayout layout;
    layout.safe_cells = c.safe_cells;
    EXPECT_EQ(WriteCsv(table, layout, &formula_cells), c.expected);
    EXPECT_EQ(formula_cells, c.formula_cells) << c.safe_cells;
  }
}

}  // namespace
}  // namespace dwelvane

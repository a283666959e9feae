#include "dialogue/csv_writer.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

DialogueTable GuardTable() {
  DialogueTable table;
  DialogueRecord& record = table.AppendRecord();
  record = {"C:\\Games\\Demo\\scripts\\", "intro.script", 12,        "guard", "dlg_0042",
            "Halt, \"stranger\"!",        "Halt!",        "halt.ogg"};
  DialogueRecord& second = table.AppendRecord();
  second = {"d/", "x.script", -3, R"(Scene.GetNode("Guard"))", "", "", "", ""};
  return table;
}

std::string WriteCsv(const DialogueTable& table, const DialogueColumns& columns,
                     std::string_view separator) {
  TempFolder folder;
  const std::string path = folder.Join("out.csv");
  LineWriter writer;
  EXPECT_TRUE(writer.FileCreate(path));
  WriteDialogueCsv(table, columns, separator, writer);
  EXPECT_TRUE(writer.FileClose());
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
  const DialogueTable table = GuardTable();
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
      {Only(&DialogueColumns::speaker, &DialogueColumns::sentence), ";",
       "\"guard\";\"Halt!\"\r\n\"Scene.GetNode(\"\"Guard\"\")\";\"\"\r\n"},
      {Only(&DialogueColumns::script_line, &DialogueColumns::audio_file), "",
       "\"12\"\"halt.ogg\"\r\n\"-3\"\"\"\r\n"},
      {Only(&DialogueColumns::script_name, &DialogueColumns::script_line), " | ",
       "\"intro.script\" | \"12\"\r\n\"x.script\" | \"-3\"\r\n"},
      {Only(&DialogueColumns::script_name, &DialogueColumns::script_line), "\"",
       "\"intro.script\"\"\"12\"\r\n\"x.script\"\"\"-3\"\r\n"},
      {Only(&DialogueColumns::translation), ";", "\r\n\r\n"},
      {Only(&DialogueColumns::translation, &DialogueColumns::audio_file), ";",
       "\"halt.ogg\"\r\n\"\"\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WriteCsv(table, c.columns, c.separator), c.expected)
        << "separator [" << c.separator << "]";
  }
}

TEST(CsvWriterTest, AnEmptyTableGivesAnEmptyFile) {
  EXPECT_EQ(WriteCsv(DialogueTable{}, DialogueColumns{}, ";"), "");
}

}  // namespace
}  // namespace dwelvane

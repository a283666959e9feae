// A project's lines through the whole translation cycle, as a team runs it: tag, export,
// translate with other tools, import, and the game's view of the language's table.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli_runner.h"
#include "po_test_support.h"
#include "project_files.h"
#include "temp_folder.h"
#include "translation/po_file.h"

namespace dwelvane {
namespace {

using namespace testing;

using Words = std::vector<std::string>;
using Table = std::map<std::string, std::string>;  // lower-cased ID -> text
using CsvRow = std::vector<std::string>;

const std::string kSource = DWELVANE_SOURCE_DIR;

// Where a project and its tables lie inside the test's folder.
struct Project {
  std::string folder;
  std::string base_table;
  std::string language_table;  // German
};

const Project kDemo = {"Demo", "Demo/English/STRING.TAB", "Demo/German/English/STRING.TAB"};
const Project kLarge = {"Large", "Large/data/text/lines.tab", "Large/German/text/lines.tab"};

std::string Golden(const std::string& name) {
  return ReadFileBytes(kSource + "/tests/data/" + name);
}

CliRun Cli(const TempFolder& folder, const Words& words, int exit_code = 0) {
  CliRun run = RunDwelvaneCli(folder, words);
  EXPECT_EQ(run.exit_code, exit_code) << words[0] << "\n" << run.err;
  return run;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
  }
  return lines;
}

// The entries as the engine reads them: IDs without regard to letter case, the last line
// of an ID counting.
Table ReadTable(const std::string& path) {
  std::string bytes = ReadFileBytes(path);
  if (bytes.starts_with(kBom)) {
    bytes.erase(0, kBom.size());
  }
  Table table;
  for (const std::string& line : SplitLines(bytes)) {
    const std::size_t tab = line.find('\t');
    if (!line.empty() && line[0] != ';' && tab != std::string::npos) {
      table[LowerAscii(line.substr(0, tab))] = line.substr(tab + 1);
    }
  }
  return table;
}

// RFC 4180 rows: quoted cells may hold the separator, doubled quotes and line ends.
std::vector<CsvRow> ParseCsv(std::string_view text, char separator) {
  std::vector<CsvRow> rows(1, CsvRow(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& cell = rows.back().back();
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell.push_back('"');
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell.push_back(c);
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == separator) {
      rows.back().emplace_back();
    } else if (c == '\n') {
      rows.emplace_back(1);
    } else if (c != '\r') {
      cell.push_back(c);
    }
  }
  if (rows.back() == CsvRow(1)) {
    rows.pop_back();
  }
  return rows;
}

std::string WriteCsv(const std::vector<CsvRow>& rows) {
  std::string out = kBom;
  for (const CsvRow& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      out += i == 0 ? "\"" : ",\"";
      for (const char c : row[i]) {
        out += c == '"' ? "\"\"" : std::string(1, c);
      }
      out += "\"";
    }
    out += "\r\n";
  }
  return out;
}

// What a translator does in a spreadsheet: each translation cell the source's text, upper-cased.
void TranslateCsvInUpperCase(const TempFolder& folder, const std::string& relative) {
  const std::string bytes = ReadFileBytes(folder.Join(relative));
  ASSERT_TRUE(bytes.starts_with(kBom));
  std::vector<CsvRow> rows = ParseCsv(std::string_view(bytes).substr(kBom.size()), ',');
  ASSERT_GT(rows.size(), 1u);
  const std::size_t source = std::ranges::find(rows[0], "source") - rows[0].begin();
  const std::size_t translation = std::ranges::find(rows[0], "translation") - rows[0].begin();
  ASSERT_LT(std::max(source, translation), rows[0].size());
  for (std::size_t i = 1; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), rows[0].size()) << "row " << i;
    rows[i][translation] = UpperAscii(rows[i][source]);
  }
  folder.Write(relative, WriteCsv(rows));
}

// Every line the scripts say by an ID shows, from the language's table, the base entry's text
// upper-cased. Returns the number of such lines.
std::size_t ExpectLinesSayUpperCasedBase(const TempFolder& folder, const Project& project) {
  const CliRun view =
      Cli(folder,
          {"dialogue", "--syntax", "engine", "--columns", "reference,translate", "--string-table",
           folder.Join(project.language_table), "--output", "-", project.folder});
  const Table base = ReadTable(folder.Join(project.base_table));
  std::size_t id_lines = 0;
  for (const CsvRow& row : ParseCsv(view.out, ';')) {
    EXPECT_EQ(row.size(), 2u);
    if (row.size() == 2 && !row[0].empty()) {
      const auto entry = base.find(LowerAscii(row[0]));
      EXPECT_EQ(row[1], entry == base.end() ? "-" : UpperAscii(entry->second)) << row[0];
      ++id_lines;
    }
  }
  return id_lines;
}

std::size_t CountLinesWith(const std::string& text, std::string_view mark) {
  std::size_t count = 0;
  for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) {
    ++count;
  }
  return count;
}

// Scripts enough to show a cost that grows faster than the project: in each, a line with a
// quoted word, a comma and a semicolon, a UTF-8 line of two lines, a choice that starts
// like a spreadsheet formula, a text every script says, and in every tenth a line with an
// ID of its own already.
constexpr int kLargeScripts = 2000;
constexpr int kLargeIdLines = kLargeScripts * 4 + kLargeScripts / 10;

void WriteLargeProject(const TempFolder& folder) {
  folder.Write("Large/game.wpr", "[Package1]\r\nFolder=data\r\nPrimary=1\r\n");
  folder.Write("Large/data/startup.settings",
               "SETTINGS {\r\n  STRING_TABLE=\"text\\lines.tab\"\r\n}\r\n");
  std::string table = kBom + "; the lines of the game\r\n";
  for (int k = 0; k < kLargeScripts; ++k) {
    const std::string n = std::to_string(k);
    std::string script = "on \"Talk\"\r\n{\r\n";
    script += "  Molly.Talk(\"Room " + n + ": the ~\"key~\", the map; the rope.\", \"voice\\\\" +
              n + ".ogg\");\r\n";
    script += "  Keeper.Talk(\"Zweite Zeile f\xC3\xBCr " + n + "~nund die dritte\");\r\n";
    script += "  Game.AddResponse(0, \"-Leave room " + n + "\");\r\n";
    script += "  Guard.Talk(\"=Hello\");\r\n";
    if (k % 10 == 0) {
      script += "  Molly.Talk(\"/known_" + n + "/Known line " + n + "\");\r\n";
      table += "known_" + n + "\tKnown line " + n + "\r\n";
    }
    folder.Write("Large/data/scenes/room_" + std::to_string(k / 100) + "/talk_" + n + ".script",
                 script + "}\r\n");
  }
  folder.Write(kLarge.base_table, table);
}

// The base table's every entry in the language's table, upper-cased.
void ExpectEveryEntryUpperCased(const TempFolder& folder, const Project& project) {
  const Table base = ReadTable(folder.Join(project.base_table));
  const Table language = ReadTable(folder.Join(project.language_table));
  EXPECT_EQ(language.size(), base.size());
  for (const auto& [id, text] : base) {
    const auto found = language.find(id);
    ASSERT_NE(found, language.end()) << id;
    EXPECT_EQ(found->second, UpperAscii(text)) << id;
  }
}

#ifdef DWELVANE_MSGFILTER_PATH
// A PO file's msgstr strings upper-cased, escapes left alone, in one pass: msgfilter starts
// its filter once per message, which a large catalog can't afford.
std::string UpperCaseMessageStrings(const std::string& po) {
  std::string out;
  bool in_msgstr = false;
  for (const std::string& line : SplitLines(po)) {
    if (!line.starts_with('"')) {
      in_msgstr = line.starts_with("msgstr");
    }
    const std::size_t open = line.find('"');
    bool escaped = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      const bool upper = in_msgstr && i > open && !escaped;
      out += upper ? UpperAscii(std::string(1, c)) : std::string(1, c);
      escaped = !escaped && c == '\\';
    }
    out += "\n";
  }
  return out;
}

void TranslatePoInUpperCase(const TempFolder& folder, const Project& project) {
  EXPECT_EQ(
      RunGettext(folder, DWELVANE_MSGFMT_PATH, {"--check", "-o", "/dev/null", "de.po"}).messages,
      "");
  EXPECT_EQ(RunGettext(folder, DWELVANE_MSGEN_PATH, {"-o", "en.po", "de.po"}).exit_code, 0);
  if (&project == &kLarge) {
    folder.Write("up.po", UpperCaseMessageStrings(ReadFileBytes(folder.Join("en.po"))));
    return;
  }
  EXPECT_EQ(RunGettext(folder, DWELVANE_MSGFILTER_PATH,
                       {"--keep-header", "-i", "en.po", "-o", "up.po", "tr", "a-z", "A-Z"})
                .exit_code,
            0);
}
#endif

// Tags the project; a line of the sample the engine refuses is left alone, which tag's exit
// status says.
void MakeTaggedProject(const TempFolder& folder, const Project& project) {
  if (&project == &kLarge) {
    WriteLargeProject(folder);
  } else {
    std::filesystem::copy(kSource + "/examples/Demo", folder.Join(kDemo.folder),
                          std::filesystem::copy_options::recursive);
  }
  Cli(folder, {"tag", project.folder}, &project == &kDemo ? 3 : 0);
}

TEST(RoundTripTest, TranslationsComeBackToTheLinesThroughPoAndCsv) {
  struct Case {
    const Project& project;
    std::size_t id_lines;  // the lines that say an ID, after tag
  };
  const Case cases[] = {{kDemo, 22}, {kLarge, kLargeIdLines}};
  std::vector<std::string> formats = {"csv"};
#ifdef DWELVANE_MSGFILTER_PATH
  formats.push_back("po");
#endif
  for (const Case& c : cases) {
    TempFolder folder;
    MakeTaggedProject(folder, c.project);
    for (const std::string& format : formats) {
      SCOPED_TRACE(c.project.folder + " " + format);
      // Each format's translations alone, none kept from the one before.
      std::filesystem::remove(folder.Join(c.project.language_table));
      const std::string exported = "de." + format;
      Cli(folder, {"export", "--language", "German", "--output", exported, c.project.folder});
      std::string translated = exported;
      if (format == "csv") {
        TranslateCsvInUpperCase(folder, exported);
      } else {
#ifdef DWELVANE_MSGFILTER_PATH
        TranslatePoInUpperCase(folder, c.project);
        translated = "up.po";
#endif
      }
      Cli(folder, {"import", "--language", "German", translated, c.project.folder});
      ExpectEveryEntryUpperCased(folder, c.project);
      EXPECT_EQ(ExpectLinesSayUpperCasedBase(folder, c.project), c.id_lines);
    }
  }
}

#ifdef DWELVANE_MSGFILTER_PATH
// A base text edited after the translation: the merge marks that one message fuzzy and the
// check names that one translation stale.
TEST(RoundTripTest, AnEditedSourceMakesExactlyItsTranslationStale) {
  TempFolder folder;
  MakeTaggedProject(folder, kDemo);
  Cli(folder, {"export", "--language", "German", "--output", "de.po", kDemo.folder});
  TranslatePoInUpperCase(folder, kDemo);
  Cli(folder, {"import", "--language", "German", "up.po", kDemo.folder});
  const CliRun before =
      Cli(folder, {"check", "--language", "German", "--po", "up.po", kDemo.folder}, 3);
  EXPECT_EQ(CountLinesWith(before.out, "[stale-translation]"), 0u);

  std::string base = ReadFileBytes(folder.Join(kDemo.base_table));
  ASSERT_NE(base.find("Who goes there?"), std::string::npos);
  folder.Write(kDemo.base_table, base.replace(base.find("goes"), 4, "is"));
  const CliRun after =
      Cli(folder, {"check", "--language", "German", "--po", "up.po", kDemo.folder}, 3);
  EXPECT_EQ(CountLinesWith(after.out, "[stale-translation]"), 1u) << after.out;
  EXPECT_EQ(CountLinesWith(after.out, "'guard_halt'"), 1u) << after.out;

  Cli(folder, {"export", "--language", "German", "--update", "up.po", kDemo.folder});
  const PoCatalog merged = ParsePo(ReadFileBytes(folder.Join("up.po")));
  std::vector<PoMessage> fuzzy;
  std::ranges::copy_if(merged.messages, std::back_inserter(fuzzy), [](const PoMessage& message) {
    return message.Fuzzy() && !message.obsolete;
  });
  ASSERT_EQ(fuzzy.size(), 1u);
  EXPECT_EQ(fuzzy[0].context, "guard_halt");
  EXPECT_EQ(fuzzy[0].id, "Halt! Who is there?");
  EXPECT_EQ(fuzzy[0].strings, std::vector<std::string>{"HALT! WHO GOES THERE?"});
  EXPECT_EQ(
      RunGettext(folder, DWELVANE_MSGFMT_PATH, {"--check", "-o", "/dev/null", "up.po"}).messages,
      "");
}
#endif

// The sample's lines after tag, as export hands them to translators; a second tag
// changes no file.
TEST(RoundTripTest, ExportsTheTaggedSampleByteForByte) {
  TempFolder folder;
  MakeTaggedProject(folder, kDemo);
  for (const std::string format : {"po", "csv"}) {
    const CliRun run =
        Cli(folder, {"export", "--language", "German", "--format", format, kDemo.folder});
    EXPECT_EQ(run.out, Golden("demo_export_de." + format)) << format;
  }
  const Files tagged = ReadTree(folder.Join(kDemo.folder));
  EXPECT_NE(tagged, ReadTree(kSource + "/examples/Demo"));
  Cli(folder, {"tag", kDemo.folder}, 3);
  EXPECT_EQ(ReadTree(folder.Join(kDemo.folder)), tagged);
}

// The sample translated in part, then changed: lines added after the translation, an entry
// the scripts no longer say, a translation with a line break its source lacks.
TEST(RoundTripTest, ChecksTheSamplesLanguageByteForByte) {
  TempFolder folder;
  MakeTaggedProject(folder, kDemo);
  Cli(folder, {"export", "--language", "German", "--output", "de.po", kDemo.folder});
  PoCatalog catalog = ParsePo(ReadFileBytes(folder.Join("de.po")));
  for (PoMessage& message : catalog.messages) {
    if (message.IsHeader() || message.context == "dlg_0008") {
      continue;
    }
    message.strings = {message.context == "guard_halt" ? "Halt!\nWer da?" : "DE " + message.id};
    message.SetFuzzy(message.context == "dlg_0009");
  }
  folder.Write("partial.po", WritePo(catalog));
  Cli(folder, {"import", "--language", "German", "partial.po", kDemo.folder});
  const std::string language_table = ReadFileBytes(folder.Join(kDemo.language_table));
  folder.Write(kDemo.language_table, language_table + "old_farewell\tLebt wohl.\r\n");
  folder.Write("Demo/scripts/late.script",
               "on \"LookAt\"\r\n{\r\n  Molly.Talk(\"Written after the translation.\");\r\n"
               "  Game.AddResponse(0, \"Ask again\");\r\n}\r\n");
  Cli(folder, {"tag", kDemo.folder}, 3);
  const CliRun check = Cli(folder, {"check", "--language", "German", kDemo.folder}, 3);
  EXPECT_EQ(check.out, Golden("demo_check_de.txt"));
}

}  // namespace
}  // namespace dwelvane

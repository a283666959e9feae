#include "translation/po_file.h"

#include <gtest/gtest.h>

#include "po_test_support.h"

namespace dwelvane {
namespace {

using testing::ParsePo;
using namespace std::string_literals;

constexpr std::string_view kHeaderText =
    "Project-Id-Version: Dwelvane test\nReport-Msgid-Bugs-To: \n"
    "PO-Revision-Date: 2024-05-01 12:00+0200\nLast-Translator: T <t@example.org>\n"
    "Language-Team: German\nLanguage: de\nMIME-Version: 1.0\n"
    "Content-Type: text/plain; charset=UTF-8\nContent-Transfer-Encoding: 8bit\n"
    "Plural-Forms: nplurals=2; plural=(n != 1);\n";

TEST(PoReadTest, ReadsEachPartOfAnEntry) {
  struct Case {
    std::string_view name;
    std::string_view text;
    PoMessage expected;
  };
  const Case cases[] = {
      {"escapes",
       R"(msgid "q\" b\\ n\n t\t r\r a\a b\b f\f v\v ?\? '\' o\101\0x h\x41\303\244")"
       "\nmsgstr \"\"",
       {.id = "q\" b\\ n\n t\t r\r a\a b\b f\f v\v ?? '' oA\0x hA\xC3\xA4"s, .strings = {""}}},
      {"continued strings, two on a line, blanks and indents",
       "msgid \"\"\n  \"one \" \"two\\n\"\n\t\"three\"  \n\nmsgstr \"x\"\n\"y\"\n",
       {.id = "one two\nthree", .strings = {"xy"}}},
      {"comments, flags, previous texts and a context",
       "# translator\n#\n#.  extracted\n#: a.script:1 b.script:2\n#: c.script:3\n"
       "#, fuzzy,c-format , no-wrap\n#| msgctxt \"old ctx\"\n#| msgid \"old\"\n#| \" id\"\n"
       "#| msgid_plural \"olds\"\nmsgctxt \"dlg_1\"\nmsgid \"new\"\nmsgstr \"neu\"\n",
       {.translator_comments = {"translator", ""},
        .extracted_comments = {" extracted"},
        .references = {"a.script:1 b.script:2", "c.script:3"},
        .flags = {"fuzzy", "c-format", "no-wrap"},
        .previous_context = "old ctx",
        .previous_id = "old id",
        .previous_id_plural = "olds",
        .context = "dlg_1",
        .id = "new",
        .strings = {"neu"}}},
      {"obsolete entry after a byte order mark, with CR LF line ends",
       "\xEF\xBB\xBF# kept\r\n#~| msgid \"before\"\r\n#~ msgctxt \"dlg_9\"\r\n"
       "#~ msgid \"\xC3\xBC\"\r\n#~ msgstr \"\"\r\n#~ \"u\\n\"\r\n",
       {.translator_comments = {"kept"},
        .previous_id = "before",
        .context = "dlg_9",
        .id = "\xC3\xBC",
        .strings = {"u\n"},
        .obsolete = true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParsePo(c.text), PoCatalog{{c.expected}});
  }
}

TEST(PoReadTest, ReportsTheFirstErrorAtItsLine) {
  struct Case {
    std::string_view text;
    std::int64_t line;
    std::string_view message;
  };
  const Case cases[] = {
      {"msgid \"a\nmsgstr \"\"\n", 1, "unterminated string"},
      {"# c\n\nmsgstr \"x\"\n", 3, "msgstr without msgid"},
      {"msgid \"a\\qb\"\nmsgstr \"\"\n", 1, "invalid escape"},
      {"msgid \"a\\x100\"\nmsgstr \"\"\n", 1, "invalid escape"},
      {"msgid \"a\"\nmsgstring \"\"\n", 2, "unknown keyword 'msgstring'"},
      {"msgid \"a\"\nmsgstr \"\"\nmsgstr \"b\"\n", 3, "a second msgstr"},
      {"msgid \"a\"\nmsgstr[0] \"\"\n", 2, "without msgid_plural"},
      {"msgid \"a\"\nmsgid_plural \"b\"\nmsgstr[1] \"\"\n", 3, "msgstr[0] expected"},
      {"msgid \"a\"\n# c\nmsgstr \"\"\n", 2, "without msgstr"},
      {"msgid \"x\"\nmsgstr \"\"\n\nmsgid \"a\"\n\n", 4, "without msgstr"},
      {"\"a\"\n", 1, "without its keyword"},
      {"msgid \"a\" b\nmsgstr \"\"\n", 1, "unexpected text"},
      {"#~ msgid \"a\"\nmsgstr \"b\"\n", 2, "mixes obsolete"},
      {"msgid \"a\"\nmsgstr \"ok\"\nmsgid \"\\303\"\nmsgstr \"\"\n", 3, "not UTF-8"},
      {"msgid \"a\"\nmsgstr \"\"\n# caf\xE9\n", 3, "not UTF-8"},
      {"msgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: x\\n\"\n"
       "\"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n",
       4, "charset 'ISO-8859-1'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    PoCatalog catalog;
    PoReadError error;
    ASSERT_FALSE(ReadPo(c.text, catalog, error));
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
  }
}

PoCatalog TrickyCatalog() {
  return {{
      {.id = "", .strings = {std::string(kHeaderText)}},
      {.translator_comments = {"Translator's note", ""},
       .extracted_comments = {"Speaker: Anna"},
       .references = {"scenes/intro.script:12 scenes/end.script:3"},
       .context = "dlg_quote",
       .id = "He said \"hi\" \\ and left",
       .strings = {"Er sagte \"hallo\" \\ und ging"}},
      {.context = "dlg_lines", .id = "a\tb\ntwo\n\nthree\n", .strings = {"\xC3\xA4\t\n\ndrei\n"}},
      {.flags = {"fuzzy"},
       .previous_id = "old\ntext",
       .id = "\xE6\x97\xA5\xE6\x9C\xAC \xE2\x80\x94 no context",
       .strings = {"\xC3\xBC \xE2\x82\xAC"}},
      {.flags = {"c-format"},
       .id = "%d file",
       .id_plural = "%d files",
       .strings = {"%d Datei", "%d Dateien"}},
      {.context = "dlg_gone", .id = "old", .strings = {"alt"}, .obsolete = true},
  }};
}

TEST(PoWriteTest, WritesGettextsLayoutAndReadsItBack) {
  const PoCatalog catalog{{{.flags = {"fuzzy", "no-wrap"},
                            .previous_id = "x",
                            .context = "c",
                            .id = "a\nb",
                            .strings = {"\x01\r\a"}},
                           {.id = "z", .strings = {"1\n"}, .obsolete = true}}};
  EXPECT_EQ(WritePo(catalog),
            "#, fuzzy, no-wrap\n#| msgid \"x\"\nmsgctxt \"c\"\nmsgid \"\"\n\"a\\n\"\n\"b\"\n"
            "msgstr \"\\001\\r\\a\"\n\n#~ msgid \"z\"\n#~ msgstr \"1\\n\"\n");
  EXPECT_EQ(ParsePo(WritePo(catalog)), catalog);
  EXPECT_EQ(ParsePo(WritePo(TrickyCatalog())), TrickyCatalog());
}

#ifdef DWELVANE_MSGFMT_PATH
TEST(PoWriteTest, GettextChecksAndRewritesWhatWeWrite) {
  const testing::TempFolder folder;
  folder.Write("ours.po", WritePo(TrickyCatalog()));
  const testing::GettextRun check =
      testing::RunGettext(folder, DWELVANE_MSGFMT_PATH, {"--check", "-o", "/dev/null", "ours.po"});
  EXPECT_EQ(check.exit_code, 0) << check.messages;
  const testing::GettextRun cat =
      testing::RunGettext(folder, DWELVANE_MSGCAT_PATH, {"-o", "theirs.po", "ours.po"});
  ASSERT_EQ(cat.exit_code, 0) << cat.messages;
  EXPECT_EQ(ParsePo(testing::ReadFileBytes(folder.Join("theirs.po"))), TrickyCatalog());
}
#endif

}  // namespace
}  // namespace dwelvane

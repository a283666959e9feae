#include "translation/po_merge.h"

#include <gtest/gtest.h>

#include "po_test_support.h"

namespace dwelvane {
namespace {

using testing::ParsePo;

TEST(PoMergeTest, CarriesTranslationsOverByContext) {
  struct Case {
    std::string_view name;
    std::string_view translated;
    std::string_view fresh;
    std::string_view merged;
  };
  const Case cases[] = {
      {"same context and id: the translator's header and parts, the fresh comments",
       "msgid \"\"\nmsgstr \"Language: de\\n\"\n\n# note\n#. old\n#: old.script:1\n#, no-wrap\n"
       "msgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"Hallo\"\n",
       "msgid \"\"\nmsgstr \"Language: \\n\"\n\n#. new\n#: new.script:2\nmsgctxt \"d1\"\n"
       "msgid \"Hi\"\nmsgstr \"\"\n",
       "msgid \"\"\nmsgstr \"Language: de\\n\"\n\n# note\n#. new\n#: new.script:2\n#, no-wrap\n"
       "msgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"Hallo\"\n"},
      {"same context, another id: fuzzy with the old id, unless already fuzzy",
       "msgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"Hallo\"\n\n#, fuzzy\n#| msgid \"Hey\"\n"
       "msgctxt \"d2\"\nmsgid \"Hi\"\nmsgstr \"Hallo\"\n",
       "msgctxt \"d1\"\nmsgid \"Hello\"\nmsgstr \"\"\n\nmsgctxt \"d2\"\nmsgid \"Hello\"\nmsgstr "
       "\"\"\n",
       "#, fuzzy\n#| msgid \"Hi\"\nmsgctxt \"d1\"\nmsgid \"Hello\"\nmsgstr \"Hallo\"\n\n"
       "#, fuzzy\n#| msgid \"Hey\"\nmsgctxt \"d2\"\nmsgid \"Hello\"\nmsgstr \"Hallo\"\n"},
      {"contexts compare exactly, and a message without one only by id among its kind",
       "msgctxt \"D1\"\nmsgid \"Hi\"\nmsgstr \"Hallo\"\n\nmsgctxt \"x\"\nmsgid \"No\"\n"
       "msgstr \"Ja\"\n\nmsgid \"No\"\nmsgstr \"Nein\"\n",
       "msgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"\"\n\nmsgid \"No\"\nmsgstr \"\"\n",
       "msgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"\"\n\nmsgid \"No\"\nmsgstr \"Nein\"\n\n"
       "#~ msgctxt \"D1\"\n#~ msgid \"Hi\"\n#~ msgstr \"Hallo\"\n\n"
       "#~ msgctxt \"x\"\n#~ msgid \"No\"\n#~ msgstr \"Ja\"\n"},
      {"gone: translated ones obsolete after the rest, untranslated dropped, returned taken up",
       "msgctxt \"a\"\nmsgid \"A\"\nmsgstr \"\"\n\nmsgctxt \"b\"\nmsgid \"B\"\nmsgstr \"Be\"\n\n"
       "#~ msgctxt \"c\"\n#~ msgid \"C\"\n#~ msgstr \"Ce\"\n\n#~ msgctxt \"e\"\n#~ msgid \"E\"\n"
       "#~ msgstr \"Ee\"\n",
       "msgctxt \"n\"\nmsgid \"N\"\nmsgstr \"x\"\n\nmsgctxt \"e\"\nmsgid \"E\"\nmsgstr \"\"\n",
       "msgctxt \"n\"\nmsgid \"N\"\nmsgstr \"\"\n\nmsgctxt \"e\"\nmsgid \"E\"\nmsgstr \"Ee\"\n\n"
       "#~ msgctxt \"b\"\n#~ msgid \"B\"\n#~ msgstr \"Be\"\n\n"
       "#~ msgctxt \"c\"\n#~ msgid \"C\"\n#~ msgstr \"Ce\"\n"},
      {"a singular translation fills every plural form, fuzzy",
       "msgctxt \"n\"\nmsgid \"file\"\nmsgstr \"Datei\"\n",
       "msgctxt \"n\"\nmsgid \"file\"\nmsgid_plural \"files\"\nmsgstr[0] \"\"\nmsgstr[1] \"\"\n",
       "#, fuzzy\nmsgctxt \"n\"\nmsgid \"file\"\nmsgid_plural \"files\"\nmsgstr[0] \"Datei\"\n"
       "msgstr[1] \"Datei\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MergePo(ParsePo(c.translated), ParsePo(c.fresh)), ParsePo(c.merged));
  }
}

#ifdef DWELVANE_MSGFMT_PATH
TEST(PoMergeTest, GettextAcceptsTheMergedCatalog) {
  constexpr std::string_view kHeader =
      "msgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: t\\n\"\n\"PO-Revision-Date: 2024-05-01 "
      "12:00+0200\\n\"\n\"Last-Translator: T <t@example.org>\\n\"\n\"Language-Team: de\\n\"\n"
      "\"Language: de\\n\"\n\"MIME-Version: 1.0\\n\"\n"
      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n\"Content-Transfer-Encoding: 8bit\\n\"\n"
      "\"Plural-Forms: nplurals=2; plural=(n != 1);\\n\"\n\n";
  const std::string translated = std::string(kHeader) +
                                 "msgctxt \"d1\"\nmsgid \"Hi\\n\"\nmsgstr \"Hall\xC3\xB6\\n\"\n\n"
                                 "msgctxt \"d2\"\nmsgid \"Bye\"\nmsgstr \"Tsch\xC3\xBC\x73s\"\n\n"
                                 "msgctxt \"d3\"\nmsgid \"Gone\"\nmsgstr \"Weg\"\n";
  const std::string fresh = std::string(kHeader) +
                            "msgctxt \"d1\"\nmsgid \"Hi\\n\"\nmsgstr \"\"\n\n"
                            "msgctxt \"d2\"\nmsgid \"Bye now\"\nmsgstr \"\"\n\n"
                            "msgctxt \"d4\"\nmsgid \"New\"\nmsgstr \"\"\n";
  const PoCatalog merged = MergePo(ParsePo(translated), ParsePo(fresh));
  const testing::TempFolder folder;
  folder.Write("merged.po", WritePo(merged));
  folder.Write("fresh.pot", fresh);
  const testing::GettextRun check = testing::RunGettext(
      folder, DWELVANE_MSGFMT_PATH, {"--check", "-o", "/dev/null", "merged.po"});
  EXPECT_EQ(check.exit_code, 0) << check.messages;
  // Merged again by gettext against the same fresh catalog, nothing changes.
  const testing::GettextRun again =
      testing::RunGettext(folder, DWELVANE_MSGMERGE_PATH,
                          {"-q", "--previous", "-o", "again.po", "merged.po", "fresh.pot"});
  ASSERT_EQ(again.exit_code, 0) << again.messages;
  EXPECT_EQ(ParsePo(testing::ReadFileBytes(folder.Join("again.po"))), merged);
}
#endif

}  // namespace
}  // namespace dwelvane

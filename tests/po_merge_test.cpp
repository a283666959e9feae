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
      {"same context and id: the translator's parts with the fresh comments",
       "# note\n#. old\n#: old.script:1\n#, no-wrap\nmsgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr "
       "\"Hallo\"\n",
       "#. new\n#: new.script:2\nmsgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"\"\n",
       "# note\n#. new\n#: new.script:2\n#, no-wrap\nmsgctxt \"d1\"\nmsgid \"Hi\"\n"
       "msgstr \"Hallo\"\n"},
      {"same context, another id: fuzzy with the old id",
       "msgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"Hallo\"\n",
       "msgctxt \"d1\"\nmsgid \"Hello\"\nmsgstr \"\"\n",
       "#, fuzzy\n#| msgid \"Hi\"\nmsgctxt \"d1\"\nmsgid \"Hello\"\nmsgstr \"Hallo\"\n"},
      {"already fuzzy: the first previous id stays",
       "#, fuzzy\n#| msgid \"Hey\"\nmsgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"Hallo\"\n",
       "msgctxt \"d1\"\nmsgid \"Hello\"\nmsgstr \"\"\n",
       "#, fuzzy\n#| msgid \"Hey\"\nmsgctxt \"d1\"\nmsgid \"Hello\"\nmsgstr \"Hallo\"\n"},
      {"contexts compare exactly, and a message without one only by id among its kind",
       "msgctxt \"D1\"\nmsgid \"Hi\"\nmsgstr \"Hallo\"\n\nmsgctxt \"x\"\nmsgid \"Yes\"\n"
       "msgstr \"Ja\"\n\nmsgid \"No\"\nmsgstr \"Nein\"\n",
       "msgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"\"\n\nmsgid \"Yes\"\nmsgstr \"\"\n\n"
       "msgid \"No\"\nmsgstr \"\"\n",
       "msgctxt \"d1\"\nmsgid \"Hi\"\nmsgstr \"\"\n\nmsgid \"Yes\"\nmsgstr \"\"\n\n"
       "msgid \"No\"\nmsgstr \"Nein\"\n\n#~ msgctxt \"D1\"\n#~ msgid \"Hi\"\n#~ msgstr "
       "\"Hallo\"\n\n"
       "#~ msgctxt \"x\"\n#~ msgid \"Yes\"\n#~ msgstr \"Ja\"\n"},
      {"gone messages: translated ones obsolete after the rest, untranslated ones dropped",
       "msgctxt \"a\"\nmsgid \"A\"\nmsgstr \"\"\n\nmsgctxt \"b\"\nmsgid \"B\"\nmsgstr \"Be\"\n\n"
       "#~ msgctxt \"c\"\n#~ msgid \"C\"\n#~ msgstr \"Ce\"\n",
       "msgctxt \"n\"\nmsgid \"N\"\nmsgstr \"x\"\n",
       "msgctxt \"n\"\nmsgid \"N\"\nmsgstr \"\"\n\n#~ msgctxt \"b\"\n#~ msgid \"B\"\n#~ msgstr "
       "\"Be\"\n\n"
       "#~ msgctxt \"c\"\n#~ msgid \"C\"\n#~ msgstr \"Ce\"\n"},
      {"an obsolete message whose context comes back is taken up again",
       "#~ msgctxt \"c\"\n#~ msgid \"C\"\n#~ msgstr \"Ce\"\n",
       "msgctxt \"c\"\nmsgid \"C\"\nmsgstr \"\"\n", "msgctxt \"c\"\nmsgid \"C\"\nmsgstr \"Ce\"\n"},
      {"the translator's header wins",
       "msgid \"\"\nmsgstr \"Language: de\\n\"\n\nmsgid \"a\"\nmsgstr \"b\"\n",
       "msgid \"\"\nmsgstr \"Language: \\n\"\n\nmsgid \"a\"\nmsgstr \"\"\n",
       "msgid \"\"\nmsgstr \"Language: de\\n\"\n\nmsgid \"a\"\nmsgstr \"b\"\n"},
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

#include "script/character_aliases.h"

#include <gtest/gtest.h>

namespace dwelvane {
namespace {

struct AliasCase {
  std::string_view text;
  std::vector<std::string> aliases;  // "line:speaker|character" each
  std::vector<std::int64_t> bad_lines;
};

std::vector<std::string> Describe(const std::vector<CharacterAlias>& aliases) {
  std::vector<std::string> described;
  for (const CharacterAlias& alias : aliases) {
    described.push_back(std::to_string(alias.line) + ":" + alias.speaker + "|" + alias.character);
  }
  return described;
}

TEST(CharacterAliasesTest, ReadsSpeakersAndCharactersLineByLine) {
  const AliasCase cases[] = {
      {"actor = Molly\nguard=Guard", {"1:actor|Molly", "2:guard|Guard"}, {}},
      {"\xEF\xBB\xBF"
       "actor = Molly\r\n\r\n  # gulls\r\n\tScene.GetNode(\"Gull\")\t=  Gull \r\n",
       {"1:actor|Molly", "4:Scene.GetNode(\"Gull\")|Gull"},
       {}},
      {"a = b = c", {"1:a|b = c"}, {}},
      {"no split\n= Molly\nactor =  \t\n \t\nok=1", {"5:ok|1"}, {1, 2, 3}},
      {"#only = comment\n   #indented = comment\n", {}, {}},
      {"", {}, {}},
      {"\xEF\xBB\xBF", {}, {}},
      {"a=b\r", {"1:a|b"}, {}},
  };
  for (const AliasCase& c : cases) {
    std::vector<std::int64_t> bad_lines;
    EXPECT_EQ(Describe(ReadCharacterAliases(c.text, bad_lines)), c.aliases) << c.text;
    EXPECT_EQ(bad_lines, c.bad_lines) << c.text;
  }
}

}  // namespace
}  // namespace dwelvane

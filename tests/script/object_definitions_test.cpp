#include "script/object_definitions.h"

#include <gtest/gtest.h>

namespace dwelvane {
namespace {

// "line:name|caption|script,script" for each object.
std::vector<std::string> Describe(const std::vector<ObjectDefinition>& objects) {
  std::vector<std::string> described;
  for (const ObjectDefinition& object : objects) {
    std::string text = std::to_string(object.line) + ":" + object.name + "|" + object.caption + "|";
    for (const std::string& script : object.scripts) {
      text += script + (&script == &object.scripts.back() ? "" : ",");
    }
    described.push_back(text);
  }
  return described;
}

struct DefinitionCase {
  std::string_view text;
  std::vector<std::string> objects;
};

TEST(ObjectDefinitionsTest, ReadsTheObjectsOfEveryShapeOfFile) {
  const DefinitionCase cases[] = {
      // An actor file: the opener on two lines, CR LF, nested blocks with NAMEs of their own.
      {"ACTOR\r\n{\r\n  NAME = \"Molly\"\r\n  ANIMATION\r\n  {\r\n    NAME=\"walk\"\r\n"
       "    FRAME { SCRIPT=\"x\" }\r\n  }\r\n  SCRIPT = \"actors\\Molly\\molly.script\"\r\n}\r\n",
       {"1:Molly||actors\\Molly\\molly.script"}},
      {"actor3dx {\n\tname\t=\t\"Bot\"\n\tCaption=\"Robot\"\n\tScript=\"a.script\"\n"
       "\tSCRIPT = \"b.script\"\n}",
       {"1:Bot|Robot|a.script,b.script"}},
      // A scene: entities inside layers, actors named by path, a container that is no entity.
      {"SCENE {\n NAME=\"Harbour\"\n ACTOR=\"actors\\Molly\\Molly.actor\"\n"
       " LAYER {\n  NAME=\"main\"\n  ENTITY_CONTAINER { NAME=\"box\" }\n"
       "  ENTITY {\n   NAME=\"door\"\n   REGION { NAME=\"area\" }\n   CAPTION=\"Door\"\n  }\n"
       "  ENTITY\n  {\n   SCRIPT=\"scenes\\door.script\"\n  }\n }\n}",
       {"7:door|Door|", "12:||scenes\\door.script"}},
      // Several attributes on one line, comments of both kinds, values without quotes.
      {"ENTITY { NAME=\"a;b\" CAPTION = \"c//d\" ; SCRIPT=\"no\"\n// SCRIPT=\"no\"\n"
       " SCRIPT=s.script }",
       {"1:a;b|c//d|s.script"}},
      {"\xEF\xBB\xBF"
       "ENTITY{NAME=\"x\"}",
       {"1:x||"}},
      // A missing quote ends at the line end; a left-out value takes nothing of the next line.
      {"ENTITY {\nNAME=\"open\nCAPTION=\nSCRIPT=\"s\"}", {"1:open||s"}},
      {"ENTITY { NAME=\"\" }\nENTITY { SCRIPT=\"\" }\nLAYER { NAME=\"x\" }\nNAME=\"top\"", {}},
      // Unbalanced and cut-off texts.
      {"}}ENTITY { NAME=\"a\" }}} ENTITY { NAME=\"b\"", {"1:a||", "1:b||"}},
      {"ENTITY { NAME=\"outer\" ENTITY { NAME=\"inner\" } SCRIPT=\"o\" }",
       {"1:outer||o", "1:inner||"}},
  };
  for (const DefinitionCase& c : cases) {
    std::vector<ObjectDefinition> objects;
    ReadObjectDefinitions(c.text, objects);
    EXPECT_EQ(Describe(objects), c.objects) << c.text;
  }
}

TEST(ObjectDefinitionsTest, AppendsToWhatTheListHolds) {
  std::vector<ObjectDefinition> objects(1);
  objects[0].name = "kept";
  ReadObjectDefinitions("ENTITY { NAME=\"a\" }", objects);
  ReadObjectDefinitions("ENTITY { }", objects);
  EXPECT_EQ(Describe(objects), (std::vector<std::string>{"0:kept||", "1:a||"}));
}

// Binary input is left to the fuzz target.
TEST(ObjectDefinitionsTest, SurvivesDeepNesting) {
  std::vector<ObjectDefinition> objects;
  const std::string deep = std::string(100000, '{') + "ENTITY{NAME=\"x\"";
  ReadObjectDefinitions(deep, objects);
  ASSERT_FALSE(objects.empty());
  EXPECT_EQ(objects.back().name, "x");
}

}  // namespace
}  // namespace dwelvane

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/ui_texts.h"
#include "runtime/command_feedback.h"

namespace dwelvane {
namespace {

TEST(ProgressPositionTest, RoundsTheFloatQuotientHalfToEven) {
  struct Case {
    std::int64_t count, total;
    int position;
  };
  const Case cases[] = {
      {1, 3, 333},  {2, 3, 667}, {3, 3, 1000}, {1, 16, 62},  {3, 16, 188},
      {1, 2000, 1}, {1, 8, 125}, {0, 5, 0},    {0, 0, 0},    {7, 0, 0},
      {9, 4, 1000}, {-1, 4, 0},  {1, 4000, 0}, {3, 4000, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgressPosition({c.total, c.count}), c.position) << c.count << " of " << c.total;
  }
}

TEST(UiTextsTest, ChoosesGermanOnlyForItsExactName) {
  EXPECT_EQ(&SelectLanguage("German.lng"), &kGermanUiTexts);
  for (const char* other : {"English.lng", "german.lng", "GERMAN.LNG", "", "French.lng"}) {
    EXPECT_EQ(&SelectLanguage(other), &kEnglishUiTexts) << other;
  }
}

TEST(UiTextsTest, ListsHoldTheirFixedEntries) {
  for (const UiTextTable* texts : {&kEnglishUiTexts, &kGermanUiTexts}) {
    EXPECT_EQ((*texts)[18], "Dwelvane");
    EXPECT_EQ((*texts)[2], (*texts)[31]);
    EXPECT_EQ((*texts)[24], (*texts)[26]);
    EXPECT_EQ((*texts)[17], "Infos");
    for (const std::string_view text : *texts) {
      EXPECT_FALSE(text.empty());
    }
  }
  EXPECT_EQ(kGermanUiTexts[2], "W\xE4hlen");
  EXPECT_EQ(kGermanUiTexts[11],
            "direkt \xFC"
            "bersetzen");
  EXPECT_EQ(kEnglishUiTexts[3], "Rovi-Virur-Uredare");
}

}  // namespace
}  // namespace dwelvane

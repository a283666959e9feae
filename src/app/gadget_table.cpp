#include "app/gadget_table.h"

#include <array>
#include <cstddef>

#include "runtime/enum_table.h"

namespace dwelvane {
namespace {

using enum GadgetKind;
using namespace gadget;

constexpr int kLanguageGroup = 1;

// clang-format off
constexpr GadgetRow kGadgetRows[] = {
    {{.number = kProjectFrame, .name = "ProjectFrame", .kind = kFrame, .rect = {10, 10, 580, 90}}, UiText::kProjectFrame},
    {{.number = kProjectPathField, .name = "ProjectPathField", .kind = kTextField, .rect = {100, 30, 400, 20}}},
    {{.number = kProjectPathLabel, .name = "ProjectPathLabel", .kind = kLabel, .rect = {20, 30, 70, 20}}, UiText::kProjectPathLabel},
    {{.number = kSelectProjectButton, .name = "SelectProjectButton", .kind = kButton, .rect = {520, 30, 60, 20}}, UiText::kSelectProjectButton},
    {{.number = gadget::kProgressBar, .name = "ProgressBar", .kind = GadgetKind::kProgressBar, .rect = {100, 80, 400, 10}}},
    {{.number = kStatusText, .name = "StatusText", .kind = kLabel, .rect = {100, 60, 400, 20}, .centred = true, .elides = true}},
    {{.number = kMainPanel, .name = "MainPanel", .kind = kPanel, .rect = {10, 110, 580, 220}}},
    {{.number = kNone, .name = "Tab0", .kind = kTab, .tab = 0}, UiText::kDialogueTab},
    {{.number = kScanForFrame, .name = "ScanForFrame", .kind = kFrame, .tab = 0, .rect = {8, 8, 190, 182}}, UiText::kScanForFrame},
    {{.number = kCreateCsvButton, .name = "CreateCsvButton", .kind = kButton, .tab = 0, .rect = {468, 158, 100, 30}, .main_button = true}, UiText::kCreateCsvButton},
    {{.number = kScriptLocationCheck, .name = "ScriptLocationCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 28, 100, 20}}, UiText::kScriptLocationCheck},
    {{.number = kScriptNameCheck, .name = "ScriptNameCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 48, 100, 20}}, UiText::kScriptNameCheck},
    {{.number = kScriptLineCheck, .name = "ScriptLineCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 68, 100, 20}}, UiText::kScriptLineCheck},
    {{.number = kSpeakerCheck, .name = "SpeakerCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 88, 100, 20}}, UiText::kSpeakerCheck},
    {{.number = kReferenceCheck, .name = "ReferenceCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 108, 150, 20}}, UiText::kReferenceCheck},
    {{.number = kTranslateCheck, .name = "TranslateCheck", .kind = kCheckBox, .tab = 0, .rect = {58, 128, 112, 20}}, UiText::kTranslateCheck},
    {{.number = kSentenceCheck, .name = "SentenceCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 148, 160, 20}}, UiText::kSentenceCheck},
    {{.number = kAudioFileCheck, .name = "AudioFileCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 168, 100, 20}}, UiText::kAudioFileCheck},
    {{.number = kNone, .name = "Tab1", .kind = kTab, .tab = 1}, UiText::kStatisticsTab},
    {{.number = kScanProjectButton, .name = "ScanProjectButton", .kind = kButton, .tab = 1, .rect = {478, 158, 90, 30}, .main_button = true}, UiText::kScanProjectButton},
    {{.number = kStatisticsView, .name = "StatisticsView", .kind = kLabel, .tab = 1, .rect = {8, 8, 460, 180}, .bordered = true, .scrolls = true}},
    {{.number = kWriteToFileCheck, .name = "WriteToFileCheck", .kind = kCheckBox, .tab = 1, .rect = {478, 128, 94, 20}}, UiText::kWriteToFileCheck},
    {{.number = kNone, .name = "Tab2", .kind = kTab, .tab = 2}, UiText::kOptionsTab},
    {{.number = kSeparatorField, .name = "SeparatorField", .kind = kTextField, .tab = 2, .rect = {88, 68, 30, 20}}},
    {{.number = kSeparatorLabel, .name = "SeparatorLabel", .kind = kLabel, .tab = 2, .rect = {18, 68, 60, 20}}, UiText::kSeparatorLabel},
    {{.number = kCsvFrame, .name = "CsvFrame", .kind = kFrame, .tab = 2, .rect = {8, 18, 190, 80}}, UiText::kCsvFrame},
    {{.number = kCsvNameLabel, .name = "CsvNameLabel", .kind = kLabel, .tab = 2, .rect = {18, 38, 60, 20}}, UiText::kCsvNameLabel},
    {{.number = kCsvNameField, .name = "CsvNameField", .kind = kTextField, .tab = 2, .rect = {88, 38, 90, 20}}},
    {{.number = kStatisticsFrame, .name = "StatisticsFrame", .kind = kFrame, .tab = 2, .rect = {8, 108, 190, 80}}, UiText::kStatisticsFrame},
    {{.number = kStatisticNameLabel, .name = "StatisticNameLabel", .kind = kLabel, .tab = 2, .rect = {18, 128, 60, 20}}, UiText::kStatisticNameLabel},
    {{.number = kStatisticNameField, .name = "StatisticNameField", .kind = kTextField, .tab = 2, .rect = {88, 128, 90, 20}}},
    {{.number = kLanguageFrame, .name = "LanguageFrame", .kind = kFrame, .tab = 2, .rect = {208, 18, 140, 80}}, UiText::kLanguageFrame},
    {{.number = kEnglishOption, .name = "EnglishOption", .kind = kOption, .tab = 2, .rect = {248, 38, 70, 20}, .group = kLanguageGroup}, UiText::kEnglishOption},
    {{.number = kGermanOption, .name = "GermanOption", .kind = kOption, .tab = 2, .rect = {248, 68, 70, 20}, .group = kLanguageGroup}, UiText::kGermanOption},
    {{.number = kStringTabFrame, .name = "StringTabFrame", .kind = kFrame, .tab = 2, .rect = {208, 108, 360, 80}}, UiText::kStringTabFrame},
    {{.number = kStringTabField, .name = "StringTabField", .kind = kTextField, .tab = 2, .rect = {218, 128, 280, 20}}},
    {{.number = kSelectStringTabButton, .name = "SelectStringTabButton", .kind = kButton, .tab = 2, .rect = {508, 128, 50, 20}}, UiText::kSelectStringTabButton},
    {{.number = kNone, .name = "Tab3", .kind = kTab, .tab = 3}, UiText::kInfosTab},
    {{.number = kAboutTitle, .name = "AboutTitle", .kind = kLabel, .tab = 3, .rect = {8, 28, 560, 20}, .centred = true, .bordered = true}, UiText::kAboutTitle},
    {{.number = kAboutCredit, .name = "AboutCredit", .kind = kLabel, .tab = 3, .rect = {8, 48, 560, 20}, .centred = true}, UiText::kAboutCredit},
    {{.number = kAboutGreeting, .name = "AboutGreeting", .kind = kLabel, .tab = 3, .rect = {8, 118, 560, 20}, .centred = true}, UiText::kAboutGreeting},
};
// clang-format on

// Each interface text is shown by exactly one gadget: none would leave it unused, two would
// mean one of them shows another's text.
constexpr bool ShowsEachTextOnce() {
  std::array<int, kEnumCount<UiText>> uses{};
  for (const GadgetRow& row : kGadgetRows) {
    if (row.text) {
      ++uses[static_cast<std::size_t>(*row.text)];
    }
  }
  for (const int count : uses) {
    if (count != 1) {
      return false;
    }
  }
  return true;
}
static_assert(ShowsEachTextOnce());

}  // namespace

const std::span<const GadgetRow> kGadgets = kGadgetRows;

}  // namespace dwelvane

#include "ui/gadget_table.h"

namespace dwelvane {
namespace {

using enum GadgetKind;
using namespace gadget;

constexpr int kLanguageGroup = 1;

// clang-format off
constexpr GadgetSpec kGadgetRows[] = {
    {.number = kProjectFrame, .name = "ProjectFrame", .kind = kFrame, .rect = {10, 10, 580, 90}, .text_entry = 0},
    {.number = kProjectPathField, .name = "ProjectPathField", .kind = kTextField, .rect = {100, 30, 400, 20}},
    {.number = kProjectPathLabel, .name = "ProjectPathLabel", .kind = kLabel, .rect = {20, 30, 70, 20}, .text_entry = 1},
    {.number = kSelectProjectButton, .name = "SelectProjectButton", .kind = kButton, .rect = {520, 30, 60, 20}, .text_entry = 2},
    {.number = gadget::kProgressBar, .name = "ProgressBar", .kind = GadgetKind::kProgressBar, .rect = {100, 80, 400, 10}},
    {.number = kStatusText, .name = "StatusText", .kind = kLabel, .rect = {100, 60, 400, 20}, .centred = true},
    {.number = kMainPanel, .name = "MainPanel", .kind = kPanel, .rect = {10, 110, 580, 220}},
    {.number = kNone, .name = "Tab0", .kind = kTab, .tab = 0, .text_entry = 3},
    {.number = kScanForFrame, .name = "ScanForFrame", .kind = kFrame, .tab = 0, .rect = {8, 8, 190, 182}, .text_entry = 4},
    {.number = kCreateCsvButton, .name = "CreateCsvButton", .kind = kButton, .tab = 0, .rect = {468, 158, 100, 30}, .text_entry = 5},
    {.number = kScriptLocationCheck, .name = "ScriptLocationCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 28, 100, 20}, .text_entry = 6},
    {.number = kScriptNameCheck, .name = "ScriptNameCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 48, 100, 20}, .text_entry = 7},
    {.number = kScriptLineCheck, .name = "ScriptLineCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 68, 100, 20}, .text_entry = 8},
    {.number = kSpeakerCheck, .name = "SpeakerCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 88, 100, 20}, .text_entry = 9},
    {.number = kReferenceCheck, .name = "ReferenceCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 108, 150, 20}, .text_entry = 10},
    {.number = kTranslateCheck, .name = "TranslateCheck", .kind = kCheckBox, .tab = 0, .rect = {58, 128, 100, 20}, .text_entry = 11},
    {.number = kSentenceCheck, .name = "SentenceCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 148, 160, 20}, .text_entry = 12},
    {.number = kAudioFileCheck, .name = "AudioFileCheck", .kind = kCheckBox, .tab = 0, .rect = {28, 168, 100, 20}, .text_entry = 13},
    {.number = kNone, .name = "Tab1", .kind = kTab, .tab = 1, .text_entry = 14},
    {.number = kScanProjectButton, .name = "ScanProjectButton", .kind = kButton, .tab = 1, .rect = {478, 158, 90, 30}, .text_entry = 15},
    {.number = kStatisticsView, .name = "StatisticsView", .kind = kLabel, .tab = 1, .rect = {8, 8, 460, 180}, .bordered = true, .scrolls = true},
    {.number = kWriteToFileCheck, .name = "WriteToFileCheck", .kind = kCheckBox, .tab = 1, .rect = {478, 128, 90, 20}, .text_entry = 16},
    {.number = kNone, .name = "Tab2", .kind = kTab, .tab = 2, .text_entry = 21},
    {.number = kSeparatorField, .name = "SeparatorField", .kind = kTextField, .tab = 2, .rect = {88, 68, 30, 20}},
    {.number = kSeparatorLabel, .name = "SeparatorLabel", .kind = kLabel, .tab = 2, .rect = {18, 68, 60, 20}, .text_entry = 22},
    {.number = kCsvFrame, .name = "CsvFrame", .kind = kFrame, .tab = 2, .rect = {8, 18, 190, 80}, .text_entry = 23},
    {.number = kCsvNameLabel, .name = "CsvNameLabel", .kind = kLabel, .tab = 2, .rect = {18, 38, 60, 20}, .text_entry = 24},
    {.number = kCsvNameField, .name = "CsvNameField", .kind = kTextField, .tab = 2, .rect = {88, 38, 90, 20}},
    {.number = kStatisticsFrame, .name = "StatisticsFrame", .kind = kFrame, .tab = 2, .rect = {8, 108, 190, 80}, .text_entry = 25},
    {.number = kStatisticNameLabel, .name = "StatisticNameLabel", .kind = kLabel, .tab = 2, .rect = {18, 128, 60, 20}, .text_entry = 26},
    {.number = kStatisticNameField, .name = "StatisticNameField", .kind = kTextField, .tab = 2, .rect = {88, 128, 90, 20}},
    {.number = kLanguageFrame, .name = "LanguageFrame", .kind = kFrame, .tab = 2, .rect = {208, 18, 140, 80}, .text_entry = 27},
    {.number = kEnglishOption, .name = "EnglishOption", .kind = kOption, .tab = 2, .rect = {248, 38, 70, 20}, .text_entry = 28, .group = kLanguageGroup},
    {.number = kGermanOption, .name = "GermanOption", .kind = kOption, .tab = 2, .rect = {248, 68, 70, 20}, .text_entry = 29, .group = kLanguageGroup},
    {.number = kStringTabFrame, .name = "StringTabFrame", .kind = kFrame, .tab = 2, .rect = {208, 108, 360, 80}, .text_entry = 30},
    {.number = kStringTabField, .name = "StringTabField", .kind = kTextField, .tab = 2, .rect = {218, 128, 280, 20}},
    {.number = kSelectStringTabButton, .name = "SelectStringTabButton", .kind = kButton, .tab = 2, .rect = {508, 128, 50, 20}, .text_entry = 31},
    {.number = kNone, .name = "Tab3", .kind = kTab, .tab = 3, .fixed_text = "Infos"},
    {.number = kAboutTitle, .name = "AboutTitle", .kind = kLabel, .tab = 3, .rect = {8, 28, 560, 20}, .text_entry = 18, .centred = true, .bordered = true},
    {.number = kAboutCredit, .name = "AboutCredit", .kind = kLabel, .tab = 3, .rect = {8, 48, 560, 20}, .text_entry = 19, .centred = true},
    {.number = kAboutGreeting, .name = "AboutGreeting", .kind = kLabel, .tab = 3, .rect = {8, 118, 560, 20}, .text_entry = 20, .centred = true},
};
// clang-format on

}  // namespace

const std::span<const GadgetSpec> kGadgets = kGadgetRows;

const GadgetSpec* FindGadgetSpec(int number) {
  for (const GadgetSpec& row : kGadgets) {
    if (row.number == number && row.kind != GadgetKind::kTab) {
      return &row;
    }
  }
  return nullptr;
}

}  // namespace dwelvane

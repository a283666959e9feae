#pragma once

#include <optional>
#include <span>

#include "app/ui_texts.h"
#include "ui/gadget_layout.h"

namespace dwelvane {

// Gadget numbers: the event loop and the commands know the window's controls by these.
namespace gadget {
inline constexpr int kMainPanel = 0;
inline constexpr int kScanForFrame = 1;
inline constexpr int kProjectFrame = 2;
inline constexpr int kProjectPathField = 3;
inline constexpr int kProjectPathLabel = 4;
inline constexpr int kSelectProjectButton = 5;
inline constexpr int kCreateCsvButton = 6;
inline constexpr int kScriptLocationCheck = 7;
inline constexpr int kScriptNameCheck = 8;
inline constexpr int kScriptLineCheck = 9;
inline constexpr int kSpeakerCheck = 10;
inline constexpr int kReferenceCheck = 11;
inline constexpr int kTranslateCheck = 12;
inline constexpr int kSentenceCheck = 13;
inline constexpr int kAudioFileCheck = 14;
inline constexpr int kScanProjectButton = 15;
inline constexpr int kStatisticsView = 16;
inline constexpr int kAboutTitle = 17;
inline constexpr int kAboutCredit = 18;
inline constexpr int kAboutGreeting = 19;
inline constexpr int kProgressBar = 20;
inline constexpr int kSeparatorField = 21;
inline constexpr int kSeparatorLabel = 22;
inline constexpr int kCsvFrame = 23;
inline constexpr int kCsvNameLabel = 24;
inline constexpr int kCsvNameField = 25;
inline constexpr int kStatisticsFrame = 26;
inline constexpr int kStatisticNameLabel = 27;
inline constexpr int kStatisticNameField = 28;
inline constexpr int kLanguageFrame = 29;
inline constexpr int kEnglishOption = 30;
inline constexpr int kGermanOption = 31;
inline constexpr int kWriteToFileCheck = 32;
inline constexpr int kStatusText = 33;
inline constexpr int kStringTabFrame = 34;
inline constexpr int kStringTabField = 35;
inline constexpr int kSelectStringTabButton = 36;
}  // namespace gadget

// A gadget of the main window: how it is made, and the interface text it starts with
// (none: it starts empty and the program fills it).
struct GadgetRow : GadgetLayout {
  std::optional<UiText> text = std::nullopt;
};

// Every gadget in the order the window creates them; a tab takes the gadgets after it.
extern const std::span<const GadgetRow> kGadgets;

}  // namespace dwelvane

#pragma once

#include <span>
#include <string_view>

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
inline constexpr int kNone = -1;  // the tabs of the panel have no number of their own
}  // namespace gadget

enum class GadgetKind {
  kFrame,
  kLabel,
  kTextField,
  kButton,
  kCheckBox,
  kOption,
  kProgressBar,
  kPanel,
  kTab
};

inline constexpr int kOnWindow = -1;  // `tab` of a gadget placed on the window itself
inline constexpr int kNoTextEntry = -1;
inline constexpr int kNoGroup = 0;

struct GadgetRect {
  int x = 0, y = 0, width = 0, height = 0;
};

struct GadgetSpec {
  int number;
  std::string_view name;
  GadgetKind kind;
  int tab = kOnWindow;               // the panel tab whose page holds it, or kOnWindow
  GadgetRect rect = {};              // relative to the window or to the tab's page
  int text_entry = kNoTextEntry;     // entry of the UI text table, or kNoTextEntry
  std::string_view fixed_text = {};  // used when there is no text entry
  bool centred = false;
  bool bordered = false;
  int group = kNoGroup;  // options of one group: ticking one clears the others
  bool scrolls = false;  // many lines, scrolled when they are more than the height holds
};

inline constexpr int kWindowX = 222;
inline constexpr int kWindowY = 2;
inline constexpr int kClientWidth = 598;
inline constexpr int kClientHeight = 335;
inline constexpr int kProgressRange = 1000;

// Where each tab's page lies in the panel: `left` pixels right of the panel's edge and
// `gap_below_tabs` below the tab labels, narrower and lower than the panel below them by
// the two losses.
struct PageInsets {
  int left, gap_below_tabs, width_loss, height_loss;
};
inline constexpr PageInsets kPageInsets{
    .left = 2, .gap_below_tabs = 4, .width_loss = 4, .height_loss = 6};

// Every gadget in the order the window creates them; a tab takes the gadgets after it.
extern const std::span<const GadgetSpec> kGadgets;

// The row of gadget `number`; nothing for kNone and unknown numbers.
const GadgetSpec* FindGadgetSpec(int number);

}  // namespace dwelvane

#pragma once

#include <string_view>

namespace dwelvane {

namespace gadget {
inline constexpr int kNone = -1;  // no gadget: the tabs of a panel, the close event
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
inline constexpr int kNoGroup = 0;

struct GadgetRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// How a window system makes one gadget; the program gives it the text to start with.
struct GadgetLayout {
  int number;
  std::string_view name;
  GadgetKind kind;
  int tab = kOnWindow;   // the panel tab whose page holds it, or kOnWindow
  GadgetRect rect = {};  // relative to the window or to the tab's page
  bool centred = false;
  bool bordered = false;
  int group = kNoGroup;      // options of one group: ticking one clears the others
  bool scrolls = false;      // many lines, scrolled when they are more than the height holds
  bool elides = false;       // one line; a longer text loses its middle to an ellipsis
  bool main_button = false;  // what Enter presses while its page shows
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

}  // namespace dwelvane

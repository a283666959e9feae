#pragma once

#include <algorithm>
#include <tuple>
#include <vector>

#include "ui/gadget_layout.h"

namespace dwelvane {

// Whether Tab stops at a gadget of this kind: the controls that take keys, the panel's tab
// labels, and the scrolling view, which the keys scroll.
inline bool TakesTabStop(const GadgetLayout& layout) {
  switch (layout.kind) {
    case GadgetKind::kTextField:
    case GadgetKind::kButton:
    case GadgetKind::kCheckBox:
    case GadgetKind::kOption:
    case GadgetKind::kPanel:
      return true;
    case GadgetKind::kLabel:
      return layout.scrolls;
    case GadgetKind::kFrame:
    case GadgetKind::kProgressBar:
    case GadgetKind::kTab:
      return false;
  }
  return false;
}

inline bool Encloses(const GadgetRect& outer, const GadgetRect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

// The gadgets of one page, or of the window itself, in the order a reader meets them: top
// to bottom, left to right on a line, and the gadgets of a frame together, where the frame
// stands, in the same order inside it. The order the gadgets were made in is no guide: it
// keeps frames behind what they hold.
inline std::vector<GadgetLayout> InReadingOrder(std::vector<GadgetLayout> gadgets) {
  const auto place = [&gadgets](const GadgetLayout& layout) {
    GadgetRect block = layout.rect;
    for (const GadgetLayout& frame : gadgets) {
      if (frame.kind == GadgetKind::kFrame && frame.number != layout.number &&
          Encloses(frame.rect, layout.rect)) {
        block = frame.rect;
      }
    }
    return std::tuple(block.y, block.x, layout.rect.y, layout.rect.x);
  };
  std::stable_sort(
      gadgets.begin(), gadgets.end(),
      [&](const GadgetLayout& a, const GadgetLayout& b) { return place(a) < place(b); });
  return gadgets;
}

}  // namespace dwelvane

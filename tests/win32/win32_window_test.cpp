#include "ui/win32/win32_window_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "win32/wide_files.h"

namespace dwelvane {
namespace {

using namespace gadget;
using testing::ProjectWindow;
using testing::TempFolder;

// The main window over the sample project, copied aside.
struct DemoWindow {
  TempFolder projects;
  ProjectWindow built{testing::CopyDemoTo(projects, "Demo")};
  Win32WindowSystem& window = built.window;
};

// The DPI the window is laid out for: 96 unless the run sets another (CTest runs these
// tests at 96 and at 144 DPI).
int SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// The room a control's text needs in the control's own font, wrapped at `width` unless
// `one_line`.
SIZE TextNeeds(HWND control, const std::string& text, int width, bool one_line) {
  const HDC context = GetDC(control);
  const auto previous =
      SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, width, 0};
  DrawTextA(context, text.c_str(), -1, &needed,
            DT_CALCRECT | DT_NOPREFIX | (one_line ? DT_SINGLELINE : DT_WORDBREAK));
  SelectObject(context, previous);
  ReleaseDC(control, context);
  return {needed.right, needed.bottom};
}

TEST(Win32WindowTest, PlacesEveryGadgetOnTheRealControlsWithRoomForItsText) {
  DemoWindow demo;
  const int dpi = SystemDpi();
  if (const char* expected = std::getenv("DWELVANE_EXPECTED_DPI")) {
    ASSERT_EQ(dpi, std::atoi(expected)) << "the display is set to another DPI";
  }
  const auto scaled = [&](int pixels) { return MulDiv(pixels, dpi, 96); };
  RECT client{};
  GetClientRect(demo.window.Window(), &client);
  EXPECT_EQ(client.right, scaled(kClientWidth));
  EXPECT_EQ(client.bottom, scaled(kClientHeight));
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(demo.window.Window(), GWL_STYLE));
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
  EXPECT_NE(style & WS_SYSMENU, 0u);
  for (const GadgetLayout& layout : kGadgets) {
    if (layout.kind == GadgetKind::kTab) {
      continue;
    }
    const HWND control = demo.window.GadgetHandle(layout.number);
    ASSERT_NE(control, nullptr) << layout.name;
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, scaled(layout.rect.x)) << layout.name;
    EXPECT_EQ(rect.top, scaled(layout.rect.y)) << layout.name;
    EXPECT_EQ(rect.right - rect.left, scaled(layout.rect.width)) << layout.name;
    EXPECT_EQ(rect.bottom - rect.top, scaled(layout.rect.height)) << layout.name;
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, dpi, 72)) << layout.name << ": 8 points at this DPI";
    const HWND parent =
        layout.tab == kOnWindow ? demo.window.Window() : demo.window.TabPage(layout.tab);
    EXPECT_EQ(GetParent(control), parent) << layout.name;
    // Text fields and the scrolling view scroll their texts.
    const std::string text = demo.window.GetText(layout.number);
    if (text.empty() || layout.kind == GadgetKind::kTextField || layout.scrolls) {
      continue;
    }
    GetClientRect(control, &rect);
    const bool ticks = layout.kind == GadgetKind::kCheckBox || layout.kind == GadgetKind::kOption;
    // The box, and the gap before the text.
    const int width = rect.right - (ticks ? GetSystemMetrics(SM_CXMENUCHECK) + scaled(4) : 0);
    const SIZE needed = TextNeeds(control, text, width, layout.kind != GadgetKind::kLabel);
    EXPECT_LE(needed.cx, width) << layout.name << " at " << dpi << " DPI: " << text;
    if (layout.kind != GadgetKind::kFrame) {
      EXPECT_LE(needed.cy, rect.bottom) << layout.name << " at " << dpi << " DPI: " << text;
    }
  }
  EXPECT_EQ(demo.window.GetText(kCsvNameField), "Dialogue_List.csv");
  EXPECT_TRUE(demo.window.GetTick(kAudioFileCheck));
}

}  // namespace
}  // namespace dwelvane

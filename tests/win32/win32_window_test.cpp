#include "ui/win32/win32_window_system.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

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

  // Shows tab `tab` as a click on its label does.
  void SelectTab(int tab) {
    const HWND panel = window.GadgetHandle(kMainPanel);
    SendMessageW(panel, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    NMHDR notice{panel, static_cast<UINT_PTR>(GetDlgCtrlID(panel)), TCN_SELCHANGE};
    SendMessageW(window.Window(), WM_NOTIFY, notice.idFrom, reinterpret_cast<LPARAM>(&notice));
    window.DrainWindowEvents();
  }
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

TEST(Win32WindowTest, TheOptionsFormOneGroupAndTheTextsShowInTheirOwnCharacters) {
  DemoWindow demo;
  demo.window.SetTick(kGermanOption, true);
  demo.window.SetTick(kEnglishOption, true);
  EXPECT_FALSE(demo.window.GetTick(kGermanOption));
  demo.built.Click(kGermanOption);
  EXPECT_EQ(demo.built.state.settings.Language, Language::kGerman) << "rebuilt in German";
  EXPECT_TRUE(demo.window.GetTick(kGermanOption));
  EXPECT_EQ(demo.window.GetText(kCsvNameField), "Dialogue_List.csv");
  EXPECT_EQ(demo.built.Shown(kSelectProjectButton), L"W\u00E4hlen");
  EXPECT_EQ(demo.built.Shown(kTranslateCheck), L"direkt \u00FCbersetzen");
  demo.built.Click(kScanProjectButton);
  EXPECT_NE(demo.built.Shown(kStatisticsView).find(L"Anzahl der Inventargegenst\u00E4nde"),
            std::wstring::npos);
}

// The controls Tab stops at, in the order it visits them from `start`; Shift+Tab when
// `backwards`. The panel holds the pages, so Tab goes into it rather than stopping at it.
std::vector<HWND> TabOrder(HWND window, HWND start, bool backwards) {
  std::vector<HWND> visited{start};
  for (HWND next = GetNextDlgTabItem(window, start, backwards ? TRUE : FALSE);
       next != nullptr && next != start && visited.size() < 100;
       next = GetNextDlgTabItem(window, next, backwards ? TRUE : FALSE)) {
    visited.push_back(next);
  }
  return visited;
}

TEST(Win32WindowTest, TabAndShiftTabReachEveryControlOfTheShownPage) {
  DemoWindow demo;
  const HWND window = demo.window.Window();
  const HWND first = demo.window.GadgetHandle(kProjectPathField);
  for (const int tab : {0, 1, 2, 0}) {
    demo.SelectTab(tab);
    for (const bool backwards : {false, true}) {
      const std::vector<HWND> order = TabOrder(window, first, backwards);
      for (const GadgetLayout& layout : kGadgets) {
        const HWND control = demo.window.GadgetHandle(layout.number);
        const bool takes_focus = layout.kind == GadgetKind::kTextField ||
                                 layout.kind == GadgetKind::kButton ||
                                 layout.kind == GadgetKind::kCheckBox ||
                                 layout.kind == GadgetKind::kOption || layout.scrolls;
        if (takes_focus && (layout.tab == kOnWindow || layout.tab == tab) &&
            IsWindowEnabled(control)) {
          EXPECT_NE(std::find(order.begin(), order.end(), control), order.end())
              << layout.name << " on tab " << tab << (backwards ? " backwards" : "");
        }
      }
    }
  }
  // The key itself, through the window's own message handling.
  SetForegroundWindow(window);
  SetFocus(first);
  PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
  demo.window.DrainWindowEvents();
  EXPECT_EQ(GetFocus(), GetNextDlgTabItem(window, first, FALSE));
}

TEST(Win32WindowTest, TheStatisticsViewShowsEveryLineOfTheReport) {
  DemoWindow demo;
  demo.SelectTab(1);
  const HWND view = demo.window.GadgetHandle(kStatisticsView);
  const auto scroll_bar_shown = [&] {
    return (GetWindowLongPtrA(view, GWL_STYLE) & WS_VSCROLL) != 0;
  };
  demo.window.SetText(kStatisticsView, "one\n\rtwo");
  EXPECT_FALSE(scroll_bar_shown()) << "two lines fit";
  std::string many_lines;
  for (int line = 0; line < 60; ++line) {
    many_lines += "line\r\n";
  }
  demo.window.SetText(kStatisticsView, many_lines);
  EXPECT_TRUE(scroll_bar_shown()) << "sixty lines don't";
  demo.built.Click(kScanProjectButton);
  ASSERT_EQ(SendMessageA(view, EM_GETLINECOUNT, 0, 0), 14);
  SendMessageA(view, WM_VSCROLL, SB_BOTTOM, 0);
  RECT text_area{};
  SendMessageA(view, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text_area));
  TEXTMETRICA metrics{};
  const HDC context = GetDC(view);
  SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageA(view, WM_GETFONT, 0, 0)));
  GetTextMetricsA(context, &metrics);
  ReleaseDC(view, context);
  const auto first_shown = SendMessageA(view, EM_GETFIRSTVISIBLELINE, 0, 0);
  const long height = text_area.bottom - text_area.top;
  EXPECT_LE((14 - first_shown) * metrics.tmHeight, height)
      << "scrolled to its end, the last line shows whole";
  // Whether the report's lines fit depends on the font the system substitutes.
  EXPECT_EQ(scroll_bar_shown(), 14 * metrics.tmHeight > height);
  const std::string shown = demo.window.GetText(kStatisticsView);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\r'), 13) << "the lines break at CR LF";
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 13);
  EXPECT_NE(shown.find("\r\n\r\nNumber of scenes: "), std::string::npos);
}

}  // namespace
}  // namespace dwelvane

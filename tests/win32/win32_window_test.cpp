#include "ui/win32/win32_window_system.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "settings/file_registry_store.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using namespace gadget;
using testing::TempFolder;

const ReportClock kFixedClock = [] { return DateTime{2009, 2, 5, 9, 5, 3}; };

// The source folder as this Windows program sees it under Wine: drive Z: is "/".
std::string SourcePath(std::string_view relative) {
  std::string path = std::string("Z:") + DWELVANE_SOURCE_DIR + "/" + std::string(relative);
  for (char& c : path) {
    c = c == '/' ? '\\' : c;
  }
  return path;
}

// The main window as the program builds it, with the sample project copied aside.
struct BuiltWindow {
  TempFolder folder;
  Win32WindowSystem window;
  FileRegistryStore store{folder.Join("Dwelvane.reg")};
  RegistryLayer registry{store, [](std::string_view, std::string_view) {}};
  AppState state;
  EventLoop loop{state, window, registry, kFixedClock};

  BuiltWindow() {
    std::filesystem::copy(SourcePath("examples/Demo"), folder.Join("Demo"),
                          std::filesystem::copy_options::recursive);
    state.settings.WMEProjectDir = folder.Join("Demo/");
    ApplyFirstRunDefaults(state.settings, state.settings.WMEProjectDir);
    EXPECT_TRUE(loop.OpenMainWindow());
    loop.PushSettings();
    HandlePending();
  }

  // Handles the gadget events that are waiting, as the event loop does.
  void HandlePending() { window.DrainWindowEvents(); }

  // Shows tab `tab` as a click on its label does.
  void SelectTab(int tab) {
    const HWND panel = window.GadgetHandle(kMainPanel);
    SendMessageA(panel, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    NMHDR notice{panel, static_cast<UINT_PTR>(GetDlgCtrlID(panel)), TCN_SELCHANGE};
    SendMessageA(window.Window(), WM_NOTIFY, notice.idFrom, reinterpret_cast<LPARAM>(&notice));
    HandlePending();
  }

  void Click(int gadget) {
    SendMessageA(window.GadgetHandle(gadget), BM_CLICK, 0, 0);
    const WindowEvent event = window.WaitEvent();
    EXPECT_EQ(event.gadget, gadget);
    loop.HandleGadget(event.gadget);
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

TEST(Win32WindowTest, PlacesEveryGadgetOnTheRealControls) {
  BuiltWindow built;
  const int dpi = SystemDpi();
  if (const char* expected = std::getenv("DWELVANE_EXPECTED_DPI")) {
    ASSERT_EQ(dpi, std::atoi(expected)) << "the display is set to another DPI";
  }
  const auto scaled = [&](int pixels) { return MulDiv(pixels, dpi, 96); };
  RECT client{};
  GetClientRect(built.window.Window(), &client);
  EXPECT_EQ(client.right, scaled(kClientWidth));
  EXPECT_EQ(client.bottom, scaled(kClientHeight));
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(built.window.Window(), GWL_STYLE));
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
  EXPECT_NE(style & WS_SYSMENU, 0u);
  for (const GadgetLayout& layout : kGadgets) {
    if (layout.kind == GadgetKind::kTab) {
      continue;
    }
    const HWND control = built.window.GadgetHandle(layout.number);
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
        layout.tab == kOnWindow ? built.window.Window() : built.window.TabPage(layout.tab);
    EXPECT_EQ(GetParent(control), parent) << layout.name;
  }
  EXPECT_EQ(built.window.GetText(kCsvNameField), "Dialogue_List.csv");
  EXPECT_TRUE(built.window.GetTick(kAudioFileCheck));
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

TEST(Win32WindowTest, EveryTextFitsItsControl) {
  BuiltWindow built;
  const int dpi = SystemDpi();
  for (const GadgetLayout& layout : kGadgets) {
    const HWND control = built.window.GadgetHandle(layout.number);
    const std::string text = control != nullptr ? built.window.GetText(layout.number) : "";
    // Text fields and the scrolling view scroll their texts.
    if (text.empty() || layout.kind == GadgetKind::kTextField || layout.scrolls) {
      continue;
    }
    RECT client{};
    GetClientRect(control, &client);
    int width = client.right;
    const bool ticks = layout.kind == GadgetKind::kCheckBox || layout.kind == GadgetKind::kOption;
    if (ticks) {
      // The box, and the gap before the text.
      width -= GetSystemMetrics(SM_CXMENUCHECK) + MulDiv(4, dpi, 96);
    }
    const bool one_line = layout.kind != GadgetKind::kLabel;
    const SIZE needed = TextNeeds(control, text, width, one_line);
    EXPECT_LE(needed.cx, width) << layout.name << " at " << dpi << " DPI: " << text;
    if (layout.kind != GadgetKind::kFrame) {
      EXPECT_LE(needed.cy, client.bottom) << layout.name << " at " << dpi << " DPI: " << text;
    }
  }
}

TEST(Win32WindowTest, ButtonsWriteWhatTheLinuxBuildWrites) {
  BuiltWindow built;
  built.Click(kScriptLocationCheck);
  built.Click(kTranslateCheck);
  built.Click(kCreateCsvButton);
  EXPECT_EQ(testing::ReadFileBytes(built.folder.Join("Demo/Dialogue_List.csv")),
            testing::ReadFileBytes(SourcePath("tests/data/demo_dialogue.csv")));
  built.Click(kWriteToFileCheck);
  built.Click(kScanProjectButton);
  EXPECT_EQ(testing::ReadFileBytes(built.folder.Join("Demo/Project_Statistics.txt")),
            testing::ReadFileBytes(SourcePath("tests/data/demo_statistics_en.txt")));
  EXPECT_EQ(built.window.GetText(kStatusText), "");
}

TEST(Win32WindowTest, TheOptionsFormOneGroup) {
  BuiltWindow built;
  built.window.SetTick(kGermanOption, true);
  built.window.SetTick(kEnglishOption, true);
  EXPECT_FALSE(built.window.GetTick(kGermanOption));
  built.Click(kGermanOption);
  EXPECT_EQ(built.state.settings.Language, Language::kGerman) << "the window was rebuilt in German";
  EXPECT_EQ(built.window.GetText(kCsvNameField), "Dialogue_List.csv");
  EXPECT_TRUE(built.window.GetTick(kGermanOption));
}

// The panel holds the pages, so Tab goes into it rather than stopping at it; a click on a
// tab label gives it the focus for the arrow keys. The controls Tab stops at, in the order it
// visits them from `start`; Shift+Tab when `backwards`.
std::vector<HWND> TabOrder(HWND window, HWND start, bool backwards) {
  std::vector<HWND> visited{start};
  for (HWND next = GetNextDlgTabItem(window, start, backwards ? TRUE : FALSE);
       next != nullptr && next != start && visited.size() < 100;
       next = GetNextDlgTabItem(window, next, backwards ? TRUE : FALSE)) {
    visited.push_back(next);
  }
  return visited;
}

bool TakesFocus(const GadgetLayout& layout) {
  switch (layout.kind) {
    case GadgetKind::kTextField:
    case GadgetKind::kButton:
    case GadgetKind::kCheckBox:
    case GadgetKind::kOption:
      return true;
    default:
      return layout.scrolls;
  }
}

TEST(Win32WindowTest, TabAndShiftTabReachEveryControlOfTheShownPage) {
  BuiltWindow built;
  const HWND window = built.window.Window();
  for (const int tab : {0, 1, 2, 0}) {
    built.SelectTab(tab);
    const HWND start = built.window.GadgetHandle(kProjectPathField);
    const std::vector<HWND> forward = TabOrder(window, start, false);
    const std::vector<HWND> backward = TabOrder(window, start, true);
    for (const GadgetLayout& layout : kGadgets) {
      const HWND control = built.window.GadgetHandle(layout.number);
      if (!TakesFocus(layout) || (layout.tab != kOnWindow && layout.tab != tab) ||
          !IsWindowEnabled(control)) {
        continue;
      }
      EXPECT_NE(std::find(forward.begin(), forward.end(), control), forward.end())
          << layout.name << " on tab " << tab;
      EXPECT_NE(std::find(backward.begin(), backward.end(), control), backward.end())
          << layout.name << " on tab " << tab;
    }
  }
  // The key itself, through the window's own message handling.
  const HWND first = built.window.GadgetHandle(kProjectPathField);
  SetForegroundWindow(window);
  SetFocus(first);
  PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
  built.HandlePending();
  EXPECT_EQ(GetFocus(), GetNextDlgTabItem(window, first, FALSE));
}

TEST(Win32WindowTest, TheStatisticsViewShowsEveryLineOfTheReport) {
  BuiltWindow built;
  built.SelectTab(1);
  const HWND view = built.window.GadgetHandle(kStatisticsView);
  const auto scroll_bar_shown = [&] {
    return (GetWindowLongPtrA(view, GWL_STYLE) & WS_VSCROLL) != 0;
  };
  built.window.SetText(kStatisticsView, "one\n\rtwo");
  EXPECT_FALSE(scroll_bar_shown()) << "two lines fit";
  std::string many_lines;
  for (int line = 0; line < 60; ++line) {
    many_lines += "line\r\n";
  }
  built.window.SetText(kStatisticsView, many_lines);
  EXPECT_TRUE(scroll_bar_shown()) << "sixty lines don't";
  built.Click(kScanProjectButton);
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
  const std::string shown = built.window.GetText(kStatisticsView);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\r'), 13) << "the lines break at CR LF";
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 13);
  EXPECT_NE(shown.find("\r\n\r\nNumber of scenes: "), std::string::npos);
}

}  // namespace
}  // namespace dwelvane

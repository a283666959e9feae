#include "ui/win32/win32_window_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>

#include "fixed_status_texts.h"
#include "runtime/file_replacement.h"
#include "win32/wide_files.h"

namespace dwelvane {
namespace {

using namespace gadget;
using testing::ProjectWindow;
using testing::TempFolder;

// The main window over the sample project, copied aside.
struct DemoWindow {
  explicit DemoWindow(Language language = Language::kEnglish)
      : built(testing::CopyDemoTo(projects, "Demo"), language) {}

  TempFolder projects;
  ProjectWindow built;
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

// Every gadget in its place, in both languages, with room for its text: the fixed texts
// and the status texts that name no path.
TEST(Win32WindowTest, PlacesEveryGadgetOnTheRealControlsWithRoomForItsText) {
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    SCOPED_TRACE(language == Language::kGerman ? "German" : "English");
    DemoWindow demo(language);
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
    const HWND status = demo.window.GadgetHandle(kStatusText);
    RECT line{};
    GetClientRect(status, &line);
    for (const std::string& text : testing::FixedStatusTexts(language)) {
      const SIZE needed = TextNeeds(status, text, line.right, true);
      EXPECT_LE(needed.cx, line.right) << "status line at " << dpi << " DPI: " << text;
      EXPECT_LE(needed.cy, line.bottom) << "status line at " << dpi << " DPI: " << text;
    }
    EXPECT_EQ(demo.window.GetText(kCsvNameField), "Dialogue_List.csv");
    EXPECT_TRUE(demo.window.GetTick(kAudioFileCheck));
  }
}

// Runs `act` inside the next command: a message posted before the click is dispatched at
// the command's first yield, as the click's own event is handled before any message.
class DuringTheRun {
 public:
  explicit DuringTheRun(std::function<void()> act) {
    WNDCLASSW receiver{};
    receiver.lpfnWndProc = Receive;
    receiver.hInstance = GetModuleHandleW(nullptr);
    receiver.lpszClassName = L"DwelvaneTestDuringTheRun";
    RegisterClassW(&receiver);
    act_ = std::move(act);
    window_ = CreateWindowExW(0, receiver.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              receiver.hInstance, nullptr);
    PostMessageW(window_, WM_APP, 0, 0);
  }
  ~DuringTheRun() { DestroyWindow(window_); }
  DuringTheRun(const DuringTheRun&) = delete;
  DuringTheRun& operator=(const DuringTheRun&) = delete;

 private:
  static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_APP && act_) {
      act_();
      return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
  }

  static inline std::function<void()> act_;
  HWND window_ = nullptr;
};

// Keys as the keyboard sends them: to the window with the focus, when they are pressed.
void PressKey(WPARAM key, wchar_t character) {
  const HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  if (character != 0) {
    PostMessageW(focus, WM_CHAR, character, 1);
  }
  PostMessageW(focus, WM_KEYUP, key, 1);
}

// A run holds the window: what is typed meanwhile never shows without being stored (the
// inputs are disabled), Escape cancels it, the old table stays, and the focus comes back to
// the button the click gave it to.
TEST(Win32WindowTest, ARunKeepsWhatShowsStoredAndEscapeCancelsIt) {
  DemoWindow demo;
  const std::string table = demo.built.state.settings.WMEProjectDir + "Dialogue_List.csv";
  ASSERT_FALSE(ReplaceFileContents(table, "old").Failed());
  const HWND separator = demo.window.GadgetHandle(kSeparatorField);
  SetFocus(separator);
  ASSERT_EQ(GetFocus(), separator);
  bool held = false;
  const DuringTheRun typing([&] {
    held =
        !IsWindowEnabled(separator) && !IsWindowEnabled(demo.window.GadgetHandle(kCreateCsvButton));
    PressKey('X', L'|');
    PressKey(VK_ESCAPE, 0);
  });
  demo.built.Click(kCreateCsvButton);
  EXPECT_TRUE(held);
  EXPECT_EQ(demo.window.GetText(kSeparatorField), demo.built.state.settings.Seperator);
  EXPECT_EQ(demo.window.GetText(kStatusText), "Cancelled");
  EXPECT_EQ(testing::ReadWholeFile(table), "old");
  EXPECT_TRUE(IsWindowEnabled(separator));
  EXPECT_EQ(GetFocus(), demo.window.GadgetHandle(kCreateCsvButton));
}

TEST(Win32WindowTest, ShowsTheProgramsOwnIconInTheTitleBarTaskBarAndAltTab) {
  ProjectWindow built("");
  const HWND window = built.window.Window();
  const HICON generic = LoadIcon(nullptr, IDI_APPLICATION);
  for (const auto& [which, width, height] : {std::tuple{GCLP_HICON, SM_CXICON, SM_CYICON},
                                             std::tuple{GCLP_HICONSM, SM_CXSMICON, SM_CYSMICON}}) {
    const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, which));
    EXPECT_NE(icon, generic) << which;
    // A shared icon is loaded once: the same resource at the same size is the same handle.
    EXPECT_EQ(icon, LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                               GetSystemMetrics(width), GetSystemMetrics(height), LR_SHARED))
        << which;
  }
}

}  // namespace
}  // namespace dwelvane

// The window driven from the keyboard: key presses go in through SendInput, as the
// keyboard's do, to the control with the focus.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/text_conversion.h"
#include "win32/wide_files.h"

namespace dwelvane {
namespace {

using namespace gadget;
using testing::ProjectWindow;
using Names = std::vector<std::string>;

void CALLBACK GiveUpWaiting(HWND window, UINT, UINT_PTR timer, DWORD) {
  KillTimer(window, timer);
  PostMessageW(window, WM_CLOSE, 0, 0);
}

// The window as the program builds it, English, in front.
struct KeyboardWindow {
  ProjectWindow built{""};
  Win32WindowSystem& window = built.window;

  KeyboardWindow() {
    window.SetTick(kEnglishOption, true);
    SetForegroundWindow(window.Window());
    Pump();
  }

  // Lets the window handle what the keys sent, as its loop does between events.
  void Pump() {
    for (int round = 0; round < 5; ++round) {
      window.DrainWindowEvents();
      Sleep(5);
    }
  }

  void Press(WORD key, const std::vector<WORD>& held = {}) {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD code, DWORD flags) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = code;
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    };
    for (const WORD modifier : held) {
      add(modifier, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto modifier = held.rbegin(); modifier != held.rend(); ++modifier) {
      add(*modifier, KEYEVENTF_KEYUP);
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)),
              inputs.size());
  }

  void Focus(int gadget) {
    SetFocus(window.GadgetHandle(gadget));
    Pump();
  }

  int ShownPage() const { return TabCtrl_GetCurSel(window.GadgetHandle(kMainPanel)); }

  std::string Focused() const {
    const HWND focus = GetFocus();
    for (const GadgetRow& row : kGadgets) {
      if (row.kind != GadgetKind::kTab && window.GadgetHandle(row.number) == focus) {
        return std::string(row.name);
      }
    }
    return "<none>";
  }

  // The next event the keys raise; a close event if none comes within two seconds.
  WindowEvent NextEvent() {
    SetTimer(window.Window(), 1, 2000, GiveUpWaiting);
    const WindowEvent event = window.WaitEvent();
    KillTimer(window.Window(), 1);
    return event;
  }

  // Handles the events as the event loop does, up to `gadget`'s own.
  void HandleEventsUpTo(int gadget) {
    for (WindowEvent event{}; event.gadget != gadget;) {
      event = NextEvent();
      ASSERT_EQ(event.kind, kGadgetEvent);
      built.loop.HandleGadget(event.gadget);
    }
  }
};

TEST(Win32KeyboardTest, TabAndShiftTabCycleThroughEveryControlOfThePageInReadingOrder) {
  const Names above_pages = {"ProjectPathField", "SelectProjectButton", "MainPanel"};
  const Names pages[] = {
      {"ScriptLocationCheck", "ScriptNameCheck", "ScriptLineCheck", "SpeakerCheck",
       "ReferenceCheck", "TranslateCheck", "SentenceCheck", "AudioFileCheck", "CreateCsvButton"},
      {"StatisticsView", "WriteToFileCheck", "ScanProjectButton"},
      {"CsvNameField", "SeparatorField", "EnglishOption", "StatisticNameField", "StringTabField",
       "SelectStringTabButton"},
      {},
  };
  KeyboardWindow keys;
  // A report longer than its box: a multi-line text box asks for Tab itself.
  std::string report;
  for (int line = 0; line < 40; ++line) {
    report += "line\n";
  }
  keys.window.SetText(kStatisticsView, report);
  for (int tab = 0; tab < 4; ++tab) {
    keys.window.SelectTab(tab);
    keys.Focus(kProjectPathField);
    Names expected = above_pages;
    expected.insert(expected.end(), pages[tab].begin(), pages[tab].end());
    Names forward, backward;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      forward.push_back(keys.Focused());
      keys.Press(VK_TAB);
      keys.Pump();
    }
    forward.push_back(keys.Focused());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      keys.Press(VK_TAB, {VK_SHIFT});
      keys.Pump();
      backward.push_back(keys.Focused());
    }
    const Names back_from_the_start(expected.rbegin(), expected.rend());
    expected.push_back(expected.front());  // round to the start
    EXPECT_EQ(forward, expected) << "page " << tab;
    EXPECT_EQ(backward, back_from_the_start) << "page " << tab << ", Shift+Tab";
    EXPECT_EQ(keys.ShownPage(), tab) << "Tab turns no page";
  }
}

TEST(Win32KeyboardTest, CtrlTabAndCtrlPageKeysTurnThePagesAndTheFocusFollows) {
  struct Turn {
    WORD key;
    std::vector<WORD> held;
    int page;
  };
  const Turn turns[] = {
      {VK_TAB, {VK_CONTROL}, 1},   {VK_NEXT, {VK_CONTROL}, 2},  {VK_TAB, {VK_CONTROL, VK_SHIFT}, 1},
      {VK_PRIOR, {VK_CONTROL}, 0}, {VK_PRIOR, {VK_CONTROL}, 3}, {VK_TAB, {VK_CONTROL}, 0},
  };
  KeyboardWindow keys;
  keys.Focus(kScriptNameCheck);
  for (const Turn& turn : turns) {
    keys.Press(turn.key, turn.held);
    keys.Pump();
    EXPECT_EQ(keys.ShownPage(), turn.page) << turn.key;
    EXPECT_TRUE(IsWindowVisible(keys.window.TabPage(turn.page)));
    // A page without a stop of its own leaves the focus on the tab labels.
    const HWND focus = GetFocus();
    EXPECT_TRUE(IsChild(keys.window.TabPage(turn.page), focus) ||
                focus == keys.window.GadgetHandle(kMainPanel))
        << "page " << turn.page << ": focus on " << keys.Focused();
  }
  keys.Focus(kProjectPathField);
  keys.Press(VK_NEXT, {VK_CONTROL});
  keys.Pump();
  EXPECT_EQ(keys.ShownPage(), 1);
  EXPECT_EQ(keys.Focused(), "ProjectPathField") << "a focus above the pages stays";
}

TEST(Win32KeyboardTest, EnterPressesThePagesMainButtonOrTheButtonWithTheFocus) {
  struct Case {
    int page;
    int focus;
    int pressed;
  };
  const Case cases[] = {
      {0, kSpeakerCheck, kCreateCsvButton},
      {0, kProjectPathField, kCreateCsvButton},
      {1, kStatisticsView, kScanProjectButton},
      {1, kWriteToFileCheck, kScanProjectButton},
      {2, kSelectStringTabButton, kSelectStringTabButton},
      {3, kSelectProjectButton, kSelectProjectButton},
  };
  KeyboardWindow keys;
  for (const Case& c : cases) {
    keys.window.SelectTab(c.page);
    keys.Focus(c.focus);
    keys.Press(VK_RETURN);
    EXPECT_EQ(keys.NextEvent().gadget, c.pressed) << "page " << c.page;
    EXPECT_EQ(GetFocus(), keys.window.GadgetHandle(c.focus)) << "the focus stays";
  }
}

// Cancels the file dialog as soon as it shows.
void CALLBACK CancelFileDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM timer_id) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
          KillTimer(nullptr, static_cast<UINT_PTR>(timer_id));
          PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
          return FALSE;
        }
        return TRUE;
      },
      static_cast<LPARAM>(timer));
}

TEST(Win32KeyboardTest, TheFocusComesBackAfterTheFileDialog) {
  KeyboardWindow keys;
  keys.window.SelectTab(2);
  keys.Focus(kSelectStringTabButton);
  SetTimer(nullptr, 0, 100, CancelFileDialog);
  keys.Press(VK_RETURN);
  keys.HandleEventsUpTo(kSelectStringTabButton);
  keys.Pump();
  EXPECT_EQ(keys.Focused(), "SelectStringTabButton");
}

TEST(Win32KeyboardTest, ALanguageSwitchKeepsThePageTicksReportFocusAndPlace) {
  KeyboardWindow keys;
  const HWND window = keys.window.Window();
  keys.Focus(kScriptLineCheck);
  keys.Press(VK_SPACE);
  keys.Pump();
  keys.window.SetText(kStatisticsView, "the report");
  keys.window.SelectTab(2);
  RECT before{};
  GetWindowRect(window, &before);
  keys.Focus(kEnglishOption);
  keys.Press(VK_DOWN);  // to German, which ticks it
  keys.HandleEventsUpTo(kGermanOption);
  EXPECT_EQ(keys.window.Window(), window) << "the same window";
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(keys.ShownPage(), 2);
  EXPECT_EQ(keys.Focused(), "GermanOption");
  EXPECT_TRUE(keys.window.GetTick(kGermanOption));
  EXPECT_FALSE(keys.window.GetTick(kScriptLineCheck)) << "the tick taken away stays away";
  EXPECT_EQ(keys.window.GetText(kStatisticsView), "the report");
  EXPECT_EQ(keys.built.state.settings.Language, Language::kGerman);
  EXPECT_EQ(keys.window.GetText(kSelectProjectButton),
            UiTextIn(Language::kGerman, UiText::kSelectProjectButton));
  wchar_t label[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = label;
  item.cchTextMax = 64;
  SendMessageW(keys.window.GadgetHandle(kMainPanel), TCM_GETITEMW, 1,
               reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(FromWide(label), UiTextIn(Language::kGerman, UiText::kStatisticsTab));
}

}  // namespace
}  // namespace dwelvane

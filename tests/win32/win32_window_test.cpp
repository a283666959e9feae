#include "ui/win32/win32_window_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

  void Click(int gadget) {
    SendMessageA(window.GadgetHandle(gadget), BM_CLICK, 0, 0);
    const WindowEvent event = window.WaitEvent();
    EXPECT_EQ(event.gadget, gadget);
    loop.HandleGadget(event.gadget);
  }
};

TEST(Win32WindowTest, PlacesEveryGadgetOnTheRealControls) {
  BuiltWindow built;
  RECT client{};
  GetClientRect(built.window.Window(), &client);
  EXPECT_EQ(client.right, kClientWidth);
  EXPECT_EQ(client.bottom, kClientHeight);
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(built.window.Window(), GWL_STYLE));
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
  EXPECT_NE(style & WS_SYSMENU, 0u);
  for (const GadgetSpec& layout : kGadgets) {
    if (layout.kind == GadgetKind::kTab) {
      continue;
    }
    const HWND control = built.window.GadgetHandle(layout.number);
    ASSERT_NE(control, nullptr) << layout.name;
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, layout.rect.x) << layout.name;
    EXPECT_EQ(rect.top, layout.rect.y) << layout.name;
    EXPECT_EQ(rect.right - rect.left, layout.rect.width) << layout.name;
    EXPECT_EQ(rect.bottom - rect.top, layout.rect.height) << layout.name;
    const HWND parent =
        layout.tab == kOnWindow ? built.window.Window() : built.window.TabPage(layout.tab);
    EXPECT_EQ(GetParent(control), parent) << layout.name;
  }
  EXPECT_EQ(built.window.GetText(kCsvNameField), "Dialogue_List.csv");
  EXPECT_TRUE(built.window.GetTick(kAudioFileCheck));
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
  EXPECT_EQ(built.state.settings.Language, 1) << "the window was rebuilt in German";
  EXPECT_EQ(built.window.GetText(kCsvNameField), "Dialogue_List.csv");
  EXPECT_TRUE(built.window.GetTick(kGermanOption));
}

}  // namespace
}  // namespace dwelvane

#pragma once

#include <windows.h>

#include <deque>
#include <map>
#include <optional>
#include <vector>

#include "ui/window_system.h"

namespace dwelvane {

// The window on Windows: the system's own controls (BUTTON, EDIT, STATIC, the tab control
// and the progress bar) in the default GUI font, at the pixel positions of the gadget
// table, driven through the wide calls (the program's UTF-8 texts in UTF-16). On a display
// of more than 96 DPI every position, size and the font grow by the system DPI / 96, so
// that the window keeps its layout, sharp (the program's manifest declares it DPI-aware).
class Win32WindowSystem final : public WindowSystem {
 public:
  Win32WindowSystem();
  ~Win32WindowSystem() override;

  bool OpenWindow(std::string_view title) override;
  void CloseWindow() override;
  void CreateGadget(const GadgetLayout& layout, std::string_view text) override;
  void SetText(int gadget, std::string_view text) override;
  void SetTabLabel(int tab, std::string_view text) override;
  std::string GetText(int gadget) override;
  void SetTick(int gadget, bool ticked) override;
  bool GetTick(int gadget) override;
  void SetProgress(int gadget, int position) override;
  void SetEnabled(int gadget, bool enabled) override;
  WindowEvent WaitEvent() override;
  std::optional<WindowEvent> PollEvent() override;
  void DrainWindowEvents() override;
  std::string AskOpenFileName(std::string_view title, std::string_view start_path,
                              std::string_view filter, int filter_index) override;
  void ShowMessage(std::string_view caption, std::string_view text) override;

  // For tests and screenshots: the window, a gadget's control, a tab's page.
  HWND Window() const { return window_; }
  HWND GadgetHandle(int gadget) const;
  HWND TabPage(int tab) const;
  void SelectTab(int tab);

  // Where the messages of the window and its pages arrive.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  // A length of the gadget table in pixels of this display.
  int Scaled(int pixels) const;
  HFONT CreateScaledGuiFont() const;
  HWND MakeControl(const GadgetLayout& layout, std::string_view text, HWND parent);
  void AddTab(std::string_view text);
  void SendTabText(UINT message, int tab, std::string_view text);
  void ShowPage(int tab);
  int ShownPage() const;
  // The gadgets of page `tab` (kOnWindow: of the window) in reading order.
  std::vector<GadgetLayout> GadgetsOn(int tab) const;
  bool StopsTab(const GadgetLayout& layout) const;
  std::vector<HWND> TabStops() const;
  void MoveFocus(int step);
  void TurnPage(int step);
  void PressMainButton();
  bool HandleKey(const MSG& message);
  void Queue(int gadget) { events_.push_back({kGadgetEvent, gadget}); }
  void Dispatch(MSG& message);

  HWND window_ = nullptr;
  HWND panel_ = nullptr;
  HWND focus_before_leaving_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  int panel_number_ = gadget::kNone;
  int last_group_ = kNoGroup;
  std::vector<HWND> pages_;
  // A gadget's control and the row it was made from, which SetText and SetTick consult.
  struct Control {
    HWND handle;
    GadgetLayout layout;
  };
  std::map<int, Control> gadgets_;
  std::deque<WindowEvent> events_;
  HWND focus_before_disabled_ = nullptr;  // the disabled control the focus comes back to
};

}  // namespace dwelvane

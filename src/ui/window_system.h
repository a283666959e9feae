#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/gadget_layout.h"

namespace dwelvane {

inline constexpr int kGadgetEvent = 13100;
inline constexpr int kCloseEvent = 16;
inline constexpr int kCancelEvent = 13120;  // Escape, which stops a running command

struct WindowEvent {
  int kind = 0;  // kGadgetEvent, kCloseEvent or kCancelEvent
  int gadget = gadget::kNone;
};

// What the program needs of a window toolkit, in the words of the gadget table. Texts
// cross this interface in UTF-8 both ways; a backend decodes them with Utf8ToUtf16.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Opens window 0 with the client size and position of the gadget table; false when it
  // can't be opened.
  [[nodiscard]] virtual bool OpenWindow(std::string_view title) = 0;
  virtual void CloseWindow() = 0;
  virtual void CreateGadget(const GadgetLayout& layout, std::string_view text) = 0;

  virtual void SetText(int gadget, std::string_view text) = 0;
  // The label of the panel's tab `tab`.
  virtual void SetTabLabel(int tab, std::string_view text) = 0;
  virtual std::string GetText(int gadget) = 0;
  virtual void SetTick(int gadget, bool ticked) = 0;
  virtual bool GetTick(int gadget) = 0;
  virtual void SetProgress(int gadget, int position) = 0;
  // A disabled gadget shows that it takes no input. One that had the keyboard focus hands
  // it to the window, so that keys (Escape) still arrive, and takes it back when enabled.
  virtual void SetEnabled(int gadget, bool enabled) = 0;

  // Blocks until the next gadget, close or cancel event.
  virtual WindowEvent WaitEvent() = 0;
  // Lets the window handle what is waiting (repaint, moving, typing) without waiting for
  // more, up to the first event for the program, which it returns; none when none came.
  virtual std::optional<WindowEvent> PollEvent() = 0;
  // Lets the window handle what is waiting (repaint, typing, ticks) without waiting for
  // more; events raised meanwhile never reach the program.
  virtual void DrainWindowEvents() = 0;

  // The chosen file's full path, or the empty text when the user cancels. `filter` holds
  // description|pattern pairs.
  virtual std::string AskOpenFileName(std::string_view title, std::string_view start_path,
                                      std::string_view filter, int filter_index) = 0;
  virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;
};

}  // namespace dwelvane

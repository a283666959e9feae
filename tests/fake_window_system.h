#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/window_system.h"

namespace dwelvane::testing {

// A window system that plays back a script of user actions and records what the
// program does to it; for the event loop's logic, not for how anything looks.
class FakeWindowSystem final : public WindowSystem {
 public:
  using Action = std::function<void(FakeWindowSystem&)>;

  // The user's actions, played one at a time whenever no event is waiting. When none is
  // left, the window is closed.
  std::deque<Action> script;
  // The user's actions while a command runs: one at each poll that finds no event waiting.
  std::deque<Action> while_running;

  std::vector<std::string> messages;  // "caption|text" of each message box
  std::vector<int> progress;          // every position the progress bar was set to
  std::vector<std::string> window_titles;
  std::map<int, std::string> tab_labels;  // the labels the program set after creating the tabs

  // The user's own actions: they change the gadget and raise its event, unless it is
  // disabled. Typing replaces the field's text.
  void Type(int gadget, std::string_view text);
  void Click(int gadget);
  void PressEscape() { pending_.push_back({kCancelEvent, gadget::kNone}); }
  void ClickCloseBox() { pending_.push_back({kCloseEvent, gadget::kNone}); }

  const GadgetLayout* Gadget(int number) const;
  std::string Text(int gadget) const;
  bool Ticked(int gadget) const { return ticks_.count(gadget) != 0 && ticks_.at(gadget); }
  bool WindowOpen() const { return open_; }
  bool Enabled(int gadget) const { return !disabled_.contains(gadget); }
  const std::vector<const GadgetLayout*>& Created() const { return created_; }
  const std::map<int, std::string>& CreatedTexts() const { return created_texts_; }

  bool OpenWindow(std::string_view title) override;
  void CloseWindow() override;
  void CreateGadget(const GadgetLayout& layout, std::string_view text) override;
  void SetText(int gadget, std::string_view text) override;
  void SetTabLabel(int tab, std::string_view text) override { tab_labels[tab] = text; }
  std::string GetText(int gadget) override { return Text(gadget); }
  void SetTick(int gadget, bool ticked) override;
  bool GetTick(int gadget) override { return Ticked(gadget); }
  void SetProgress(int gadget, int position) override;
  void SetEnabled(int gadget, bool enabled) override;
  WindowEvent WaitEvent() override;
  std::optional<WindowEvent> PollEvent() override;
  void DrainWindowEvents() override { pending_.clear(); }
  // The user cancels every file requester.
  std::string AskOpenFileName(std::string_view, std::string_view, std::string_view, int) override {
    return {};
  }
  void ShowMessage(std::string_view caption, std::string_view text) override;

 private:
  bool open_ = false;
  std::deque<WindowEvent> pending_;
  std::vector<const GadgetLayout*> created_;
  std::map<int, std::string> created_texts_;
  std::map<int, std::string> texts_;
  std::map<int, bool> ticks_;
  std::set<int> disabled_;
};

}  // namespace dwelvane::testing

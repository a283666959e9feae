#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "ui/window_system.h"

class QButtonGroup;
class QKeyEvent;
class QLabel;
class QTabWidget;
class QWidget;

namespace dwelvane {

// The window on Linux: Qt Widgets in Qt's own Fusion style, placed at the pixel positions of
// the gadget table, in a compact font so that every English and German text fits. Needs a
// QApplication; makes it the Dwelvane application (name, desktop entry, icon).
class QtWindowSystem final : public QObject, public WindowSystem {
 public:
  QtWindowSystem();
  ~QtWindowSystem() override;

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

  // For tests and screenshots: the window, a gadget's widget, a tab's page.
  QWidget* Window() const { return window_.get(); }
  QWidget* GadgetWidget(int gadget) const;
  QWidget* TabPage(int tab) const;
  void SelectTab(int tab);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* MakeWidget(const GadgetLayout& layout, std::string_view text, QWidget* parent);
  QWidget* MakeScrollingView(const GadgetLayout& layout, QWidget* parent);
  void AddTab(std::string_view text);
  // The buttons of option group `group`, of which one at most is ticked.
  QButtonGroup* OptionGroup(int group);
  // The gadgets of page `tab` (kOnWindow: of the window) in reading order.
  std::vector<GadgetLayout> GadgetsOn(int tab) const;
  void ChainTabOrder();
  void TurnPage(int step);
  void PressMainButton();
  bool HandleKey(const QKeyEvent& key);
  void Queue(int gadget) { events_.push_back({kGadgetEvent, gadget}); }
  void ShowLabelText(QLabel* label, std::string_view text);

  std::unique_ptr<QWidget> window_;
  QTabWidget* panel_ = nullptr;
  std::map<int, QButtonGroup*> groups_;
  std::vector<QWidget*> pages_;
  std::map<int, QWidget*> gadgets_;
  std::vector<GadgetLayout> layouts_;  // of every gadget made, for the keys
  std::deque<WindowEvent> events_;
  std::set<QWidget*> eliding_labels_;
  QPointer<QWidget> focus_before_disabled_;  // the disabled widget the focus comes back to
};

}  // namespace dwelvane

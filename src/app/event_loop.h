#pragma once

#include <functional>

#include "app/app_state.h"
#include "app/gadget_table.h"
#include "app/status_texts.h"
#include "runtime/command_outcome.h"
#include "settings/registry_layer.h"
#include "statistics/statistics_report.h"
#include "ui/window_system.h"

namespace dwelvane {

// The program's one loop: it builds the main window, waits for its events and runs the
// handler of the gadget that raised each one, until the window is closed. Settings are
// written to the registry the moment a field or requester changes them. A command owns the
// window while it runs (WindowRun): the inputs are disabled, the fields' events are still
// stored, and Escape or the close box cancel it.
class EventLoop {
 public:
  EventLoop(AppState& state, WindowSystem& window, RegistryLayer& registry, ReportClock clock);

  // Opens window 0 and creates every gadget with the texts of the settings' language.
  bool OpenMainWindow();

  // Shows the settings and the language, then handles events until the close event.
  void Run();

  // Copies the settings into a fresh window and gives the column check boxes their
  // start ticks.
  void PushSettings();

  // Runs the handler of `gadget`; numbers without one do nothing.
  void HandleGadget(int gadget);

 private:
  void CopyFieldToSetting(int field, TextSetting setting);
  // True for a field's event, after its text is stored.
  bool StoreField(int gadget);
  void FollowReferenceCheck();
  void ChooseProjectFile();
  void ChooseStringTable();
  void SwitchLanguage(Language language);
  void CreateCsvTableFromWindow();
  void RunStatisticsFromWindow();
  // False, after the status line says why, when there is no project folder to run on.
  bool CheckProjectFolder();
  // Runs `command` on the project folder with the inputs disabled until it ends; what it
  // came to, and what it noted on its way.
  RunReport RunHoldingTheWindow(
      const std::function<CommandOutcome(const CommandFeedback&)>& command);
  void EnableInputs(bool enabled);

  AppState& state_;
  WindowSystem& window_;
  RegistryLayer& registry_;
  ReportClock clock_;
  bool close_asked_ = false;  // the close box, during a run: the window closes after it
};

}  // namespace dwelvane

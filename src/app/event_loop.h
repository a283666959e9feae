#pragma once

#include "app/app_state.h"
#include "app/gadget_table.h"
#include "runtime/command_outcome.h"
#include "runtime/skipped_entries.h"
#include "settings/registry_layer.h"
#include "statistics/statistics_report.h"
#include "ui/window_system.h"

namespace dwelvane {

// The program's one loop: it builds the main window, waits for its events and runs the
// handler of the gadget that raised each one, until the window is closed. Settings are
// written to the registry the moment a field or requester changes them.
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
  void FollowReferenceCheck();
  void ChooseProjectFile();
  void ChooseStringTable();
  void SwitchLanguage(Language language);
  void CreateCsvTableFromWindow();
  void RunStatisticsFromWindow();
  CommandFeedback WindowFeedback(SkippedEntries& skipped, std::string& name_in_utf8);
  // The status line says what went wrong, or which name the output holds in UTF-8 for want
  // of the code page's characters; a command that read and wrote everything as ever leaves
  // it empty.
  void ShowOutcome(const CommandOutcome& outcome, const SkippedEntries& skipped,
                   std::string_view name_in_utf8);

  AppState& state_;
  WindowSystem& window_;
  RegistryLayer& registry_;
  ReportClock clock_;
};

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dialogue/project_files_met.h"
#include "runtime/command_feedback.h"
#include "runtime/skipped_entries.h"
#include "ui/window_system.h"

namespace dwelvane {

// One command run from the window: what the command notes on its way, and the window served
// at each of its yields. The window repaints, moves and takes typing meanwhile; a field's
// event goes to `store_field` at once (which stores it when it is a field's), so that no text shows
// that isn't stored; Escape or the close box cancel the run (the close box closes the window once
// it has ended); any other event is dropped, as its gadget is disabled.
class WindowRun {
 public:
  WindowRun(WindowSystem& window, const std::string& project_folder,
            std::function<void(int field)> store_field);
  WindowRun(const WindowRun&) = delete;
  WindowRun& operator=(const WindowRun&) = delete;

  // The command's feedback, which refers to this run.
  CommandFeedback Feedback();

  bool Cancelled() const { return cancelled_; }
  bool CloseAsked() const { return close_asked_; }
  std::int64_t Unreadable() const { return unreadable_.count; }
  std::int64_t LinksOut() const { return links_out_.count; }
  const std::string& NameInUtf8() const { return name_in_utf8_; }
  const ProjectFilesMet& ProjectFiles() const { return project_files_; }

 private:
  void ServeWindow();

  WindowSystem& window_;
  std::function<void(int field)> store_field_;
  SkippedEntries unreadable_;
  SkippedEntries links_out_;
  std::string name_in_utf8_;
  ProjectFilesMet project_files_;
  bool cancelled_ = false;
  bool close_asked_ = false;
};

}  // namespace dwelvane

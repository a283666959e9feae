#include "app/window_run.h"

#include <utility>

#include "app/gadget_table.h"

namespace dwelvane {

WindowRun::WindowRun(WindowSystem& window, const std::string& project_folder,
                     std::function<void(int field)> store_field)
    : window_(window), store_field_(std::move(store_field)), project_files_(project_folder) {}

CommandFeedback WindowRun::Feedback() {
  CommandFeedback feedback;
  feedback.note_skipped = [this](const IoError& entry) {
    (entry.code == kLinkLeadsOutOfTheProject ? links_out_ : unreadable_).Note(entry);
  };
  feedback.note_name_in_utf8 = [this](const std::string& name) { name_in_utf8_ = name; };
  feedback.note_project_file = [this](const std::string& path) { project_files_.Note(path); };
  feedback.show_progress = [this](int position) {
    window_.SetProgress(gadget::kProgressBar, position);
  };
  feedback.enter_stage = [this](Stage stage) {
    window_.SetText(gadget::kStatusText, DescribeStage(stage));
  };
  feedback.yield = [this] { ServeWindow(); };
  feedback.cancelled = [this] { return cancelled_; };
  return feedback;
}

void WindowRun::ServeWindow() {
  while (const std::optional<WindowEvent> event = window_.PollEvent()) {
    if (event->kind == kCloseEvent || event->kind == kCancelEvent) {
      cancelled_ = true;
      close_asked_ = close_asked_ || event->kind == kCloseEvent;
    } else if (event->kind == kGadgetEvent) {
      store_field_(event->gadget);
    }
  }
}

}  // namespace dwelvane

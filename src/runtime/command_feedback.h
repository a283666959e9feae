#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dwelvane {

// How a long command shows what it does. The window sets its progress bar and status
// line and keeps repainting; the command line prints to standard error or nothing.
struct CommandFeedback {
  std::function<void(int position)> show_progress = [](int) {};  // 0 to 1000
  std::function<void(std::string_view text)> show_status = [](std::string_view) {};
  std::function<void()> drain_window_events = [] {};
  // Each file or folder the command passes over because it can't be read.
  std::function<void(const std::string& path)> note_skipped = [](const std::string&) {};
};

// Steps of the running pass: `ProgressTotal` is the whole range of the bar.
struct Progress {
  std::int64_t ProgressTotal = 0;
  std::int64_t ProgressCount = 0;
};

// ProgressCount / ProgressTotal as a 32-bit float, times 1000, rounded half to even and
// kept within 0 to 1000 (files may appear between the count and the scan).
int ProgressPosition(const Progress& progress);

void SetProgress(const Progress& progress, const CommandFeedback& feedback);

}  // namespace dwelvane

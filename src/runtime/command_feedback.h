#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "runtime/io_error.h"

namespace dwelvane {

// What a long command is doing; the window and the command line each say it in their own
// words. kIdle: the command has ended.
enum class Stage {
  kIdle,
  kScanningScripts,
  kTranslating,
  kScanningProject,
  kCheckingLines,
};

// What the window's status line and the terminal's progress line say in `stage`, in
// English, which the German window shows too: "Scanning scripts ..."; nothing when idle.
std::string_view DescribeStage(Stage stage);

// How a long command shows what it does. The window sets its progress bar and status
// line and keeps repainting; the command line prints to standard error or nothing.
struct CommandFeedback {
  std::function<void(int position)> show_progress = [](int) {};  // 0 to 1000
  std::function<void(Stage stage)> enter_stage = [](Stage) {};
  // Called between folders, so that whoever waits for the command can do what can't wait
  // (the window repaints and takes the user's cancel); the command goes on when it returns.
  std::function<void()> yield = [] {};
  // Asked after each yield: true once the user has cancelled the command, which then reads
  // no further and writes nothing (CommandResult::kCancelled).
  std::function<bool()> cancelled = [] { return false; };
  // Each file or folder the command passes over because it can't be read, and why.
  std::function<void(const IoError& skipped)> note_skipped = [](const IoError&) {};
  // The first file or folder name an output that holds names in the system's code page
  // holds in UTF-8 instead, because that code page lacks some of its characters (Windows).
  std::function<void(const std::string& name)> note_name_in_utf8 = [](const std::string&) {};
  // Each project file (.wpr) the walk meets, so that a folder holding several projects can
  // be told from one project: the walk is there anyway.
  std::function<void(const std::string& path)> note_project_file = [](const std::string&) {};
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

// The end of every command: the stage idle, the bar back at 0.
void EndFeedback(const CommandFeedback& feedback);

}  // namespace dwelvane

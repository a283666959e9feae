#include "cli/terminal_progress.h"

#include <cstdio>
#include <memory>
#include <string>

#include "runtime/platform_file.h"

namespace dwelvane {
namespace {

struct ProgressLine {
  std::string status;
  int percent = -1;

  void Draw() const {
    std::fprintf(stderr, "\r%s %3d%%", status.c_str(), percent < 0 ? 0 : percent);
    std::fflush(stderr);
  }
};

}  // namespace

CommandFeedback MakeTerminalProgress() {
  CommandFeedback feedback;
  if (!platform::StandardErrorIsTerminal()) {
    return feedback;
  }
  auto line = std::make_shared<ProgressLine>();
  feedback.enter_stage = [line](Stage stage) {
    const std::string_view text = DescribeStage(stage);
    line->status = text;
    line->percent = 0;
    if (text.empty()) {
      EndTerminalProgress();
    } else {
      line->Draw();
    }
  };
  // The bar moves in thousandths; redrawing only when the percentage changes keeps the
  // terminal from slowing the scan down.
  feedback.show_progress = [line](int position) {
    const int percent = position / 10;
    if (percent != line->percent && !line->status.empty()) {
      line->percent = percent;
      line->Draw();
    }
  };
  return feedback;
}

// Blanks over the longest status line, so that no terminal escape codes are needed.
void EndTerminalProgress() {
  if (platform::StandardErrorIsTerminal()) {
    std::fputs("\r                                        \r", stderr);
    std::fflush(stderr);
  }
}

}  // namespace dwelvane

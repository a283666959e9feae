#include "runtime/command_feedback.h"

#include <algorithm>
#include <cmath>

namespace dwelvane {

std::string_view DescribeStage(Stage stage) {
  switch (stage) {
    case Stage::kIdle:
      return "";
    case Stage::kScanningScripts:
      return "Scanning scripts ...";
    case Stage::kTranslating:
      return "Translating references ...";
    case Stage::kScanningProject:
      return "Scanning project ...";
    case Stage::kCheckingLines:
      return "Checking lines ...";
  }
  return "";
}

int ProgressPosition(const Progress& progress) {
  if (progress.ProgressTotal <= 0) {
    return 0;
  }
  const float quotient =
      static_cast<float>(progress.ProgressCount) / static_cast<float>(progress.ProgressTotal);
  // The product is exact in double, so the only rounding is the final one, half to even.
  const double position = std::nearbyint(static_cast<double>(quotient) * 1000.0);
  return static_cast<int>(std::clamp(position, 0.0, 1000.0));
}

void SetProgress(const Progress& progress, const CommandFeedback& feedback) {
  feedback.show_progress(ProgressPosition(progress));
}

void EndFeedback(const CommandFeedback& feedback) {
  feedback.enter_stage(Stage::kIdle);
  feedback.show_progress(0);
}

}  // namespace dwelvane

#include "statistics/project_scan.h"

#include "runtime/line_reader.h"
#include "runtime/recorded_walk.h"
#include "statistics/file_classification.h"
#include "statistics/script_metrics.h"

namespace dwelvane {
namespace {

constexpr std::size_t kProjectExtensionLength = 4;  // ".wpr"

class FileCounter {
 public:
  FileCounter(ProjectStatistics& statistics, LineReader& reader, const CommandFeedback& feedback)
      : statistics_(statistics), reader_(reader), feedback_(feedback) {}

  void Count(const WalkedFile& file) {
    const std::string& name = file.name;
    switch (ClassifyProjectFile(name)) {
      case ProjectFileKind::kProject:
        statistics_.ProjectName = name.substr(0, name.size() - kProjectExtensionLength);
        feedback_.note_project_file(file.path);
        break;
      case ProjectFileKind::kScript:
        statistics_.ScriptCount +=
            CountsAfterReading(file, MeasureScript(file, statistics_, reader_));
        break;
      case ProjectFileKind::kSprite:
        ++statistics_.SpriteCount;
        break;
      case ProjectFileKind::kScene:
        ++statistics_.SceneCount;
        break;
      case ProjectFileKind::kActor2D:
        ++statistics_.Actor2DCount;
        break;
      case ProjectFileKind::kActor3D:
        ++statistics_.Actor3DCount;
        break;
      case ProjectFileKind::kImage:
        ++statistics_.ImageCount;
        break;
      case ProjectFileKind::kSound:
        ++statistics_.SoundFileCount;
        break;
      case ProjectFileKind::kItems:
        statistics_.ItemFileCount +=
            CountsAfterReading(file, CountInventoryItems(file, statistics_, reader_));
        break;
      case ProjectFileKind::kOther:
        break;
    }
  }

 private:
  // 1 when the file counts: it was read, or it is there but couldn't be read, which is
  // noted.
  int CountsAfterReading(const WalkedFile& file, const IoError& read) {
    if (!read.Failed()) {
      return 1;
    }
    if (VanishedSinceTheWalk(file)) {
      return 0;
    }
    feedback_.note_skipped(read);
    return 1;
  }

  ProjectStatistics& statistics_;
  LineReader& reader_;
  const CommandFeedback& feedback_;
};

}  // namespace

void ScanProjectFolder(const std::string& folder, WalkRules rules, ProjectStatistics& statistics,
                       Progress& progress, const CommandFeedback& feedback) {
  progress.ProgressCount = 0;
  RecordedWalk files;
  files.Record(
      folder, rules, [](const WalkedFile&) { return true; }, feedback.yield, feedback.cancelled);
  if (feedback.cancelled()) {
    return;
  }
  progress.ProgressTotal = static_cast<std::int64_t>(files.FileCount());
  feedback.enter_stage(Stage::kScanningProject);
  LineReader reader;
  FileCounter counter(statistics, reader, feedback);
  const auto count_file = [&](const WalkedFile& file) {
    ++progress.ProgressCount;
    SetProgress(progress, feedback);
    counter.Count(file);
  };
  files.Replay({count_file, feedback.yield, feedback.note_skipped, feedback.cancelled});
}

}  // namespace dwelvane

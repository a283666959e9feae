#include "statistics/project_scan.h"

#include "runtime/folder_walk.h"
#include "runtime/line_reader.h"
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
        break;
      case ProjectFileKind::kScript:
        ++statistics_.ScriptCount;
        NoteUnreadable(file, MeasureScript(file.path, statistics_, reader_, file.listed_regular));
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
        ++statistics_.ItemFileCount;
        NoteUnreadable(file,
                       CountInventoryItems(file.path, statistics_, reader_, file.listed_regular));
        break;
      case ProjectFileKind::kOther:
        break;
    }
  }

 private:
  void NoteUnreadable(const WalkedFile& file, bool read) {
    if (!read) {
      feedback_.note_skipped(file.path);
    }
  }

  ProjectStatistics& statistics_;
  LineReader& reader_;
  const CommandFeedback& feedback_;
};

}  // namespace

void CountProjectFiles(const std::string& folder, Progress& progress,
                       const CommandFeedback& feedback) {
  WalkFolder(folder,
             {[&](const WalkedFile&) { ++progress.ProgressCount; }, feedback.drain_window_events});
}

void ScanProjectFolder(const std::string& folder, ProjectStatistics& statistics, Progress& progress,
                       const CommandFeedback& feedback) {
  LineReader reader;
  FileCounter counter(statistics, reader, feedback);
  WalkFolder(folder, {[&](const WalkedFile& file) {
                        ++progress.ProgressCount;
                        SetProgress(progress, feedback);
                        counter.Count(file);
                      },
                      feedback.drain_window_events, feedback.note_skipped});
}

}  // namespace dwelvane

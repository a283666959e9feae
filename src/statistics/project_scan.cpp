#include "statistics/project_scan.h"

#include "runtime/folder_walk.h"
#include "runtime/line_reader.h"
#include "runtime/path_separator.h"
#include "statistics/file_classification.h"
#include "statistics/script_metrics.h"

namespace dwelvane {
namespace {

constexpr std::size_t kProjectExtensionLength = 4;  // ".wpr"

class FileCounter {
 public:
  FileCounter(ProjectStatistics& statistics, LineReader& reader)
      : statistics_(statistics), reader_(reader) {}

  void Count(const std::string& folder, const std::string& name) {
    switch (ClassifyProjectFile(name)) {
      case ProjectFileKind::kProject:
        statistics_.ProjectName = name.substr(0, name.size() - kProjectExtensionLength);
        break;
      case ProjectFileKind::kScript:
        ++statistics_.ScriptCount;
        MeasureScript(PathOf(folder, name), statistics_, reader_);
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
        CountInventoryItems(PathOf(folder, name), statistics_, reader_);
        break;
      case ProjectFileKind::kOther:
        break;
    }
  }

 private:
  static std::string PathOf(const std::string& folder, const std::string& name) {
    std::string path = folder;
    path.push_back(kPathSeparator);
    path.append(name);
    return path;
  }

  ProjectStatistics& statistics_;
  LineReader& reader_;
};

}  // namespace

void CountProjectFiles(const std::string& folder, Progress& progress,
                       const CommandFeedback& feedback) {
  WalkFolder(folder, {[&](const std::string&, const std::string&) { ++progress.ProgressCount; },
                      feedback.drain_window_events});
}

void ScanProjectFolder(const std::string& folder, ProjectStatistics& statistics, Progress& progress,
                       const CommandFeedback& feedback) {
  LineReader reader;
  FileCounter counter(statistics, reader);
  WalkFolder(folder, {[&](const std::string& file_folder, const std::string& name) {
                        ++progress.ProgressCount;
                        SetProgress(progress, feedback);
                        counter.Count(file_folder, name);
                      },
                      feedback.drain_window_events});
}

}  // namespace dwelvane

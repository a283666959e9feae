#include "statistics/file_classification.h"

#include <array>

#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

struct Extension {
  std::string_view text;
  ProjectFileKind kind;
};

constexpr std::array<Extension, 14> kExtensions{{
    {".wpr", ProjectFileKind::kProject},
    {".script", ProjectFileKind::kScript},
    {".inc", ProjectFileKind::kScript},
    {".sprite", ProjectFileKind::kSprite},
    {".scene", ProjectFileKind::kScene},
    {".actor", ProjectFileKind::kActor2D},
    {".act3d", ProjectFileKind::kActor3D},
    {".bmp", ProjectFileKind::kImage},
    {".tga", ProjectFileKind::kImage},
    {".jpg", ProjectFileKind::kImage},
    {".png", ProjectFileKind::kImage},
    {".ogg", ProjectFileKind::kSound},
    {".wav", ProjectFileKind::kSound},
    {".items", ProjectFileKind::kItems},
}};

}  // namespace

ProjectFileKind ClassifyProjectFile(std::string_view name) {
  // No extension of the table ends another, so the first match is the only one.
  for (const Extension& extension : kExtensions) {
    if (EndsWithLowered(name, extension.text)) {
      return extension.kind;
    }
  }
  return ProjectFileKind::kOther;
}

}  // namespace dwelvane

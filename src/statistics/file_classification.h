#pragma once

#include <string_view>

namespace dwelvane {

// The kinds of project file the statistics tell apart by extension.
enum class ProjectFileKind {
  kOther,
  kProject,  // .wpr
  kScript,   // .script, .inc
  kSprite,
  kScene,
  kActor2D,
  kActor3D,
  kImage,  // .bmp, .tga, .jpg, .png
  kSound,  // .ogg, .wav
  kItems,
};

// By the end of the name, compared without regard to letter case; a name made only of an
// extension (".png") counts too.
ProjectFileKind ClassifyProjectFile(std::string_view name);

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <string>

namespace dwelvane {

// What the statistics command counts in one project. The counters are 64-bit so that no
// project, however large, can overflow them.
struct ProjectStatistics {
  std::string ProjectName;  // the last .wpr file's name without its extension
  std::int64_t SceneCount = 0;
  std::int64_t ScriptCount = 0;  // .script and .inc files
  std::int64_t ScriptLineCount = 0;
  std::int64_t ScriptCharCount = 0;  // bytes of the script lines other than spaces
  std::int64_t SpriteCount = 0;
  std::int64_t ImageCount = 0;
  std::int64_t Actor2DCount = 0;
  std::int64_t Actor3DCount = 0;
  std::int64_t DialogueLineCount = 0;
  std::int64_t AudioLineCount = 0;  // dialogue lines that also name a speech audio file
  std::int64_t SoundFileCount = 0;
  std::int64_t ItemFileCount = 0;
  std::int64_t InventoryItemCount = 0;  // lines of .items files that hold "ITEM"
};

inline void ResetStatistics(ProjectStatistics& statistics) {
  statistics = ProjectStatistics{};
}

}  // namespace dwelvane

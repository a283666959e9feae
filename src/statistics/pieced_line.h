#pragma once

#include <cstddef>
#include <string_view>

#include "dialogue/talk_keywords.h"
#include "statistics/project_statistics.h"

namespace dwelvane {

inline constexpr std::string_view kAudioMarker = ",\"";

// A talk line names a speech audio file when a comma and a double quote follow its keyword
// (starting at `keyword`, 0-based, `length` bytes) and the one character behind it.
// `last_marker`: where the line's last comma and double quote start; npos without one.
constexpr bool NamesAudioFile(std::size_t keyword, std::size_t length, std::size_t last_marker) {
  return last_marker != std::string_view::npos && last_marker >= keyword + length + 1;
}

// The talk keywords and the last audio marker of a line that comes in pieces, so that
// the line needn't be held whole: where they are is kept as offsets from the line's start,
// and the bytes at the end of the last piece let a keyword split between two be found.
class PiecedLine {
 public:
  bool IsOpen() const { return length_ > 0; }

  // Adds the next piece, which holds no line end, and counts its bytes other than spaces.
  void Add(std::string_view piece, ProjectStatistics& statistics);

  // Counts the line as a talk line as a whole line would be counted, and starts anew.
  void Finish(ProjectStatistics& statistics);

 private:
  static constexpr std::size_t kNone = std::string_view::npos;
  // Enough bytes for all but the last byte of the longest thing looked for.
  static constexpr std::size_t kKept = kTalkAsyncKeyword.size() - 1;

  void NoteFirst(std::size_t found, std::size_t& first) const;
  void FindAcrossTheJoin(std::string_view piece);
  void KeepEnd(std::string_view piece);

  std::size_t length_ = 0;
  std::size_t first_talk_ = kNone;
  std::size_t first_async_ = kNone;
  std::size_t last_marker_ = kNone;
  char kept_[kKept] = {};
  std::size_t kept_size_ = 0;
};

}  // namespace dwelvane

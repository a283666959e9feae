#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "voice/recording_lines.h"

namespace dwelvane {

// The recording script as one printable HTML page, written piece by piece into a buffer:
// a table of contents with each character's lines, words, minutes and recorded share, then
// a section per character (a new page when printed) with its lines grouped by scene or
// folder. Self-contained: no scripts, nothing from outside the page.
class RecordingPage {
 public:
  explicit RecordingPage(std::string& out) : out_(out) {}

  // The head and the table of contents; each role's words and recorded count are filled.
  void Start(std::string_view project_name, std::span<const RecordingRole> roles);
  void StartRole(const RecordingRole& role, std::size_t index);
  // `line`'s group is `group`; a new group gets its heading.
  void AddLine(const RecordingLine& line, std::string_view group);
  void EndRole();
  void End();

 private:
  void AppendRoleFigures(std::int64_t lines, std::int64_t words, std::int64_t recorded);
  void AppendShareBar(std::int64_t part, std::int64_t whole);
  void CloseGroup();

  // A group's lines go in tables of this many, each rendered when it comes into view.
  static constexpr std::size_t kLinesPerChunk = 100;

  std::string& out_;
  std::string_view group_;
  bool in_group_ = false;
  std::size_t lines_in_chunk_ = 0;
};

// Minutes to record `words` at 150 words a minute, rounded up: "0" for none, else at least 1.
std::int64_t EstimatedMinutes(std::int64_t words);

}  // namespace dwelvane

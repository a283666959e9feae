#include "statistics/script_metrics.h"

#include <algorithm>
#include <cstring>

#include "dialogue/talk_keywords.h"

namespace dwelvane {
namespace {

constexpr std::string_view kAudioMarker = ",\"";
constexpr std::string_view kItemMarker = "ITEM";

// A talk line names a speech audio file when a comma and a double quote follow the
// keyword and the one character behind it.
bool HasAudioMarker(std::string_view line, const TalkKeywordMatch& match) {
  const std::size_t rest = match.position - 1 + match.length + 1;
  return rest < line.size() && line.find(kAudioMarker, rest) != std::string_view::npos;
}

void MeasureTalkLines(std::string_view run, ProjectStatistics& statistics) {
  const char* const end = run.data() + run.size();
  for (const char* from = run.data(); from < end;) {
    const char* found = FindTalkKeywordStart(from, end);
    if (found == end) {
      return;
    }
    const std::string_view line = LineAround(run, static_cast<std::size_t>(found - run.data()));
    const TalkKeywordMatch match = FindTalkKeyword(line);
    if (match.position != 0) {
      ++statistics.DialogueLineCount;
      statistics.AudioLineCount += HasAudioMarker(line, match) ? 1 : 0;
    }
    from = line.data() + line.size();
  }
}

const char* FindItemMarker(const char* begin, const char* end) {
  return std::search(begin, end, kItemMarker.begin(), kItemMarker.end());
}

}  // namespace

bool MeasureScript(const std::string& path, ProjectStatistics& statistics, LineReader& reader) {
  if (!reader.FileOpenRead(path)) {
    return false;
  }
  // Measured apart, so that a file that fails half-way adds nothing.
  ProjectStatistics measured;
  // Whole runs of lines are measured at once: a line's bytes other than spaces are the
  // run's bytes less its spaces and line end bytes, and only lines with a keyword
  // candidate are looked at one by one.
  char last = '\n';
  for (std::string_view run; !(run = reader.FileReadLineRun()).empty();) {
    measured.ScriptLineCount += CountLineEnds(run);
    measured.ScriptCharCount += CountLineBytesOtherThan(run, ' ');
    MeasureTalkLines(run, measured);
    last = run.back();
  }
  // A last line without a line end is a line too.
  measured.ScriptLineCount += IsLineEnd(last) ? 0 : 1;
  const bool read_whole = !reader.FileReadFailed();
  reader.FileClose();
  if (read_whole) {
    statistics.ScriptLineCount += measured.ScriptLineCount;
    statistics.ScriptCharCount += measured.ScriptCharCount;
    statistics.DialogueLineCount += measured.DialogueLineCount;
    statistics.AudioLineCount += measured.AudioLineCount;
  }
  return read_whole;
}

bool CountInventoryItems(const std::string& path, ProjectStatistics& statistics,
                         LineReader& reader) {
  if (!reader.FileOpenRead(path)) {
    return false;
  }
  std::int64_t lines_passed = 0;
  std::int64_t items = 0;
  while (!reader.FileReadLineWhere(FindItemMarker, lines_passed).empty()) {
    ++items;
  }
  const bool read_whole = !reader.FileReadFailed();
  reader.FileClose();
  statistics.InventoryItemCount += read_whole ? items : 0;
  return read_whole;
}

}  // namespace dwelvane

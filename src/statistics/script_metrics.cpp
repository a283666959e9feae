#include "statistics/script_metrics.h"

#include <algorithm>

#include "dialogue/talk_keywords.h"
#include "statistics/byte_pair_counts.h"
#include "statistics/pieced_line.h"

namespace dwelvane {
namespace {

constexpr std::string_view kItemMarker = "ITEM";
// What every talk keyword starts with.
constexpr std::string_view kTalkCandidate = ".Talk";

// Counts the talk lines among the lines that hold a keyword candidate starting in
// [from, to) of `run`; returns where the last line it looked at ends, so that a line
// reaching into the next block is not looked at twice.
std::size_t MeasureTalkLines(std::string_view run, std::size_t from, std::size_t to,
                             ProjectStatistics& statistics) {
  const char* const search_end = run.data() + std::min(run.size(), to + kTalkCandidate.size());
  while (from < to) {
    const char* found = FindTalkKeywordStart(run.data() + from, search_end);
    if (found == search_end || static_cast<std::size_t>(found - run.data()) >= to) {
      break;
    }
    const std::string_view line = LineAround(run, static_cast<std::size_t>(found - run.data()));
    const TalkKeywordMatch match = FindTalkKeyword(line);
    if (match.position != 0) {
      ++statistics.DialogueLineCount;
      statistics.AudioLineCount +=
          NamesAudioFile(match.position - 1, match.length, line.rfind(kAudioMarker)) ? 1 : 0;
    }
    from = static_cast<std::size_t>(line.data() + line.size() - run.data());
  }
  return from;
}

// Line ends, bytes other than spaces and line ends, and talk lines of a run of whole
// lines, in one sweep: each block is counted while it is in the first-level cache, and
// only a block with a "." before a "T" is searched for keywords.
void MeasureRun(std::string_view run, ProjectStatistics& statistics) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(run.data());
  const std::size_t size = run.size();
  std::size_t ends = 0;
  std::size_t skipped = 0;
  std::size_t looked_until = 0;
  // Every byte but the run's last has a byte after it; a run ends after a line end, so a
  // CR LF or a ".T" never spans two runs.
  const std::size_t paired = size - 1;
  for (std::size_t start = 0; start < paired; start += kByteCountBlock) {
    const std::size_t stop = std::min(start + kByteCountBlock, paired);
    const ByteCounts counts = CountBytePairs(bytes + start, stop - start);
    ends += counts.line_ends;
    skipped += counts.skipped;
    if (counts.candidates) {
      looked_until = MeasureTalkLines(run, std::max(start, looked_until), stop, statistics);
    }
  }
  const unsigned char last = bytes[paired];
  ends += IsLineEnd(static_cast<char>(last)) ? 1 : 0;
  skipped += last == ' ' || IsLineEnd(static_cast<char>(last)) ? 1 : 0;
  statistics.ScriptLineCount += static_cast<std::int64_t>(ends);
  statistics.ScriptCharCount += static_cast<std::int64_t>(size - skipped);
}

// Ends a pieced line with the first line of `run`, which holds its last bytes; gives the
// rest of the run, from the line end on.
std::string_view FinishPiecedLine(std::string_view run, PiecedLine& line,
                                  ProjectStatistics& statistics) {
  const auto end =
      static_cast<std::size_t>(FindLineEnd(run.data(), run.data() + run.size()) - run.data());
  line.Add(run.substr(0, end), statistics);
  line.Finish(statistics);
  return run.substr(end);
}

const char* FindItemMarker(const char* begin, const char* end) {
  return std::search(begin, end, kItemMarker.begin(), kItemMarker.end());
}

}  // namespace

IoError MeasureScript(const WalkedFile& file, ProjectStatistics& statistics, LineReader& reader) {
  if (IoError opened = reader.FileOpenRead(file); opened.Failed()) {
    return opened;
  }
  // Measured apart, so that a file that fails half-way adds nothing.
  ProjectStatistics measured;
  // Whole runs of lines are measured at once: a line's bytes other than spaces are the
  // run's bytes less its spaces and line end bytes, and only lines with a keyword
  // candidate are looked at one by one.
  char last = '\n';
  PiecedLine pieced;
  bool piece = false;
  for (std::string_view run; !(run = reader.FileReadLineRunOrPiece(piece)).empty();) {
    last = run.back();
    if (piece) {
      pieced.Add(run, measured);
      continue;
    }
    if (pieced.IsOpen()) {
      run = FinishPiecedLine(run, pieced, measured);
    }
    if (!run.empty()) {
      MeasureRun(run, measured);
    }
  }
  if (pieced.IsOpen()) {
    pieced.Finish(measured);
  }
  // A last line without a line end is a line too.
  measured.ScriptLineCount += IsLineEnd(last) ? 0 : 1;
  IoError read_error = reader.FileReadError();
  reader.FileClose();
  if (!read_error.Failed()) {
    statistics.ScriptLineCount += measured.ScriptLineCount;
    statistics.ScriptCharCount += measured.ScriptCharCount;
    statistics.DialogueLineCount += measured.DialogueLineCount;
    statistics.AudioLineCount += measured.AudioLineCount;
  }
  return read_error;
}

IoError CountInventoryItems(const WalkedFile& file, ProjectStatistics& statistics,
                            LineReader& reader) {
  if (IoError opened = reader.FileOpenRead(file); opened.Failed()) {
    return opened;
  }
  std::int64_t lines_passed = 0;
  std::int64_t items = 0;
  while (!reader.FileReadLineWhere(FindItemMarker, lines_passed).empty()) {
    ++items;
  }
  IoError read_error = reader.FileReadError();
  reader.FileClose();
  statistics.InventoryItemCount += read_error.Failed() ? 0 : items;
  return read_error;
}

}  // namespace dwelvane

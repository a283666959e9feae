#include "statistics/script_metrics.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "dialogue/talk_keywords.h"

namespace dwelvane {
namespace {

constexpr std::string_view kAudioMarker = ",\"";
constexpr std::string_view kItemMarker = "ITEM";
// What every talk keyword starts with.
constexpr std::string_view kTalkCandidate = ".Talk";

// A talk line names a speech audio file when a comma and a double quote follow the
// keyword and the one character behind it.
bool HasAudioMarker(std::string_view line, const TalkKeywordMatch& match) {
  const std::size_t rest = match.position - 1 + match.length + 1;
  return rest < line.size() && line.find(kAudioMarker, rest) != std::string_view::npos;
}

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
      statistics.AudioLineCount += HasAudioMarker(line, match) ? 1 : 0;
    }
    from = static_cast<std::size_t>(line.data() + line.size() - run.data());
  }
  return from;
}

// The counts of a block of bytes, each byte tested with the byte after it.
struct ByteCounts {
  std::size_t line_ends = 0;
  std::size_t skipped = 0;  // spaces and line ends
  bool candidates = false;  // a "." before a "T"
};

// Counts in byte-wide counters, at most 255 bytes at a time so that they can't overflow;
// the compiler tests a vector register's width of bytes at once.
void AddBytePairCounts(const unsigned char* bytes, std::size_t size, ByteCounts& counts) {
  constexpr std::size_t kByteCounterLimit = 255;
  for (std::size_t start = 0; start < size; start += kByteCounterLimit) {
    const std::size_t stop = std::min(start + kByteCounterLimit, size);
    unsigned char line_ends = 0;
    unsigned char skipped = 0;
    unsigned char candidates = 0;
    for (std::size_t i = start; i < stop; ++i) {
      const unsigned char byte = bytes[i];
      const unsigned char next = bytes[i + 1];
      // Byte-wide intermediates keep every lane a byte wide.
      const unsigned char lf_or_zero = (byte == '\n') | (byte == '\0');
      const unsigned char cr = byte == '\r';
      const unsigned char lf_after = next == '\n';
      line_ends += lf_or_zero | (cr & !lf_after);
      skipped += (byte == ' ') | lf_or_zero | cr;
      candidates |= (byte == '.') & (next == 'T');
    }
    counts.line_ends += line_ends;
    counts.skipped += skipped;
    counts.candidates = counts.candidates || candidates != 0;
  }
}

// 32 lanes a round, each counting in a byte: at most 255 rounds.
constexpr std::size_t kBlock = 255 * 32;

#if defined(__x86_64__) && defined(__GNUC__)

__attribute__((target("avx2"))) std::size_t SumLanes(__m256i lanes) {
  const __m256i sums = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
  return static_cast<std::size_t>(_mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) +
                                  _mm256_extract_epi64(sums, 2) + _mm256_extract_epi64(sums, 3));
}

// A lane that holds all ones is -1: subtracting it counts one.
__attribute__((target("avx2"))) ByteCounts CountBytePairsAvx2(const unsigned char* bytes,
                                                              std::size_t size) {
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i zero = _mm256_setzero_si256();
  const __m256i space = _mm256_set1_epi8(' ');
  const __m256i dot = _mm256_set1_epi8('.');
  const __m256i capital_t = _mm256_set1_epi8('T');
  __m256i line_ends = zero;
  __m256i skipped = zero;
  __m256i candidates = zero;
  std::size_t i = 0;
  for (; i + 32 <= size; i += 32) {
    const __m256i byte = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i + 1));
    const __m256i lf_or_zero =
        _mm256_or_si256(_mm256_cmpeq_epi8(byte, lf), _mm256_cmpeq_epi8(byte, zero));
    const __m256i is_cr = _mm256_cmpeq_epi8(byte, cr);
    line_ends = _mm256_sub_epi8(
        line_ends,
        _mm256_or_si256(lf_or_zero, _mm256_andnot_si256(_mm256_cmpeq_epi8(next, lf), is_cr)));
    skipped = _mm256_sub_epi8(skipped, _mm256_or_si256(_mm256_or_si256(lf_or_zero, is_cr),
                                                       _mm256_cmpeq_epi8(byte, space)));
    candidates = _mm256_or_si256(candidates, _mm256_and_si256(_mm256_cmpeq_epi8(byte, dot),
                                                              _mm256_cmpeq_epi8(next, capital_t)));
  }
  ByteCounts counts{SumLanes(line_ends), SumLanes(skipped), _mm256_movemask_epi8(candidates) != 0};
  AddBytePairCounts(bytes + i, size - i, counts);
  return counts;
}

ByteCounts CountBytePairs(const unsigned char* bytes, std::size_t size) {
  static const bool kHasAvx2 = __builtin_cpu_supports("avx2");
  if (kHasAvx2) {
    return CountBytePairsAvx2(bytes, size);
  }
  ByteCounts counts;
  AddBytePairCounts(bytes, size, counts);
  return counts;
}

#else

ByteCounts CountBytePairs(const unsigned char* bytes, std::size_t size) {
  ByteCounts counts;
  AddBytePairCounts(bytes, size, counts);
  return counts;
}

#endif

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
  for (std::size_t start = 0; start < paired; start += kBlock) {
    const std::size_t stop = std::min(start + kBlock, paired);
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

// The talk keywords and the last audio marker of a line that comes in pieces, so that
// the line needn't be held whole: where they are is kept as offsets from the line's start,
// and the bytes at the end of the last piece let a keyword split between two be found.
class PiecedLine {
 public:
  bool IsOpen() const { return length_ > 0; }

  void Add(std::string_view piece, ProjectStatistics& statistics) {
    statistics.ScriptCharCount +=
        static_cast<std::int64_t>(piece.size()) - std::count(piece.begin(), piece.end(), ' ');
    FindAcrossTheJoin(piece);
    NoteFirst(piece.find(kTalkKeyword), first_talk_);
    NoteFirst(piece.find(kTalkAsyncKeyword), first_async_);
    if (const std::size_t marker = piece.rfind(kAudioMarker); marker != std::string_view::npos) {
      last_marker_ = length_ + marker;
    }
    KeepEnd(piece);
    length_ += piece.size();
  }

  // Counts the line as a talk line as a whole line would be counted, and starts anew.
  void Finish(ProjectStatistics& statistics) {
    const std::size_t keyword = first_talk_ != kNone ? first_talk_ : first_async_;
    if (keyword != kNone) {
      const std::size_t length =
          first_talk_ != kNone ? kTalkKeyword.size() : kTalkAsyncKeyword.size();
      ++statistics.DialogueLineCount;
      statistics.AudioLineCount += last_marker_ != kNone && last_marker_ >= keyword + length + 1;
    }
    *this = PiecedLine();
  }

 private:
  static constexpr std::size_t kNone = std::string_view::npos;
  // Enough bytes for all but the last byte of the longest thing looked for.
  static constexpr std::size_t kKept = kTalkAsyncKeyword.size() - 1;

  void NoteFirst(std::size_t found, std::size_t& first) const {
    if (first == kNone && found != kNone) {
      first = length_ + found;
    }
  }

  // Keywords and markers that begin in the kept bytes and end in `piece`.
  void FindAcrossTheJoin(std::string_view piece) {
    char joined[2 * kKept];
    const std::size_t head = std::min(piece.size(), kKept);
    std::memcpy(joined, kept_, kept_size_);
    std::memcpy(joined + kept_size_, piece.data(), head);
    const std::string_view join(joined, kept_size_ + head);
    const std::size_t join_start = length_ - kept_size_;
    for (auto [keyword, first] :
         {std::pair{kTalkKeyword, &first_talk_}, std::pair{kTalkAsyncKeyword, &first_async_}}) {
      const std::size_t found = join.find(keyword);
      if (*first == kNone && found != kNone && found < kept_size_) {
        *first = join_start + found;
      }
    }
    if (kept_size_ > 0 && head > 0 && kept_[kept_size_ - 1] == kAudioMarker[0] &&
        piece[0] == kAudioMarker[1]) {
      last_marker_ = length_ - 1;
    }
  }

  void KeepEnd(std::string_view piece) {
    if (piece.size() >= kKept) {
      std::memcpy(kept_, piece.data() + piece.size() - kKept, kKept);
      kept_size_ = kKept;
      return;
    }
    const std::size_t keep_old = std::min(kept_size_, kKept - piece.size());
    std::memmove(kept_, kept_ + kept_size_ - keep_old, keep_old);
    std::memcpy(kept_ + keep_old, piece.data(), piece.size());
    kept_size_ = keep_old + piece.size();
  }

  std::size_t length_ = 0;
  std::size_t first_talk_ = kNone;
  std::size_t first_async_ = kNone;
  std::size_t last_marker_ = kNone;
  char kept_[kKept] = {};
  std::size_t kept_size_ = 0;
};

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

bool MeasureScript(const WalkedFile& file, ProjectStatistics& statistics, LineReader& reader) {
  if (!reader.FileOpenRead(file)) {
    return false;
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

bool CountInventoryItems(const WalkedFile& file, ProjectStatistics& statistics,
                         LineReader& reader) {
  if (!reader.FileOpenRead(file)) {
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

#include "statistics/pieced_line.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace dwelvane {

void PiecedLine::Add(std::string_view piece, ProjectStatistics& statistics) {
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

void PiecedLine::Finish(ProjectStatistics& statistics) {
  const std::size_t keyword = first_talk_ != kNone ? first_talk_ : first_async_;
  if (keyword != kNone) {
    const std::size_t length =
        first_talk_ != kNone ? kTalkKeyword.size() : kTalkAsyncKeyword.size();
    ++statistics.DialogueLineCount;
    statistics.AudioLineCount += NamesAudioFile(keyword, length, last_marker_) ? 1 : 0;
  }
  *this = PiecedLine();
}

void PiecedLine::NoteFirst(std::size_t found, std::size_t& first) const {
  if (first == kNone && found != kNone) {
    first = length_ + found;
  }
}

// Keywords and markers that begin in the kept bytes and end in `piece`.
void PiecedLine::FindAcrossTheJoin(std::string_view piece) {
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

// Keeps the last kKept bytes of the line so far.
void PiecedLine::KeepEnd(std::string_view piece) {
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

}  // namespace dwelvane

#include "runtime/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

// True when any byte of `word` is below 14, which every line end byte is; words of plain
// text are skipped eight bytes at a time.
constexpr bool HasByteBelow14(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  return ((word - kOnes * 14) & ~word & kHighBits) != 0;
}

}  // namespace

const char* FindLineEnd(const char* position, const char* end) {
  while (end - position >= 8) {
    std::uint64_t word;
    std::memcpy(&word, position, sizeof word);
    if (HasByteBelow14(word)) {
      for (int i = 0; i < 8; ++i) {
        if (IsLineEnd(position[i])) {
          return position + i;
        }
      }
    }
    position += 8;
  }
  while (position < end && !IsLineEnd(*position)) {
    ++position;
  }
  return position;
}

namespace {

// The index just after the last line end byte in [begin, end); `begin` when there is none.
std::size_t AfterLastLineEnd(const char* data, std::size_t begin, std::size_t end) {
  while (end > begin && !IsLineEnd(data[end - 1])) {
    --end;
  }
  return end;
}

// Line ends in [begin, end): LF, zero bytes, and CRs not followed by an LF, so that CR LF
// counts once. `next` is the byte after `end`. The inner loop has no branches and counts
// in a byte, at most 255 bytes at a time, so that the compiler tests a vector register's
// width of bytes at once.
std::int64_t CountLineEnds(const char* begin, const char* end, char next) {
  if (begin == end) {
    return 0;
  }
  constexpr std::size_t kByteCounterLimit = 255;
  const auto* bytes = reinterpret_cast<const unsigned char*>(begin);
  const auto last = static_cast<std::size_t>(end - begin) - 1;
  std::size_t count = 0;
  for (std::size_t start = 0; start < last; start += kByteCounterLimit) {
    const std::size_t stop = std::min(start + kByteCounterLimit, last);
    unsigned char block_count = 0;
    for (std::size_t i = start; i < stop; ++i) {
      const unsigned char byte = bytes[i];
      block_count += (byte == '\n') | (byte == '\0') | ((byte == '\r') & (bytes[i + 1] != '\n'));
    }
    count += block_count;
  }
  const unsigned char final_byte = bytes[last];
  count += static_cast<std::size_t>((final_byte == '\n') | (final_byte == '\0') |
                                    ((final_byte == '\r') & (next != '\n')));
  return static_cast<std::int64_t>(count);
}

}  // namespace

LineReader::LineReader(std::size_t chunk_size)
    : buffer_(chunk_size < kLongestFind + 1 ? kLongestFind + 1 : chunk_size) {}

LineReader::~LineReader() {
  FileClose();
}

IoError LineReader::FileOpenRead(const std::string& path, bool listed_regular) {
  const std::string resolved = ResolveProgramPath(path);
  return Adopt(platform::OpenFileForReading(resolved, listed_regular), resolved);
}

IoError LineReader::FileOpenRead(const WalkedFile& file) {
  return Adopt(platform::OpenFileInFolderForReading(file.folder_handle, file.name, file.path,
                                                    file.listed_regular),
               file.path);
}

IoError LineReader::Adopt(platform::OpenedFile opened, const std::string& path) {
  if (!opened.IsOpen()) {
    return std::move(opened.error);
  }
  FileClose();
  file_ = opened.handle;
  path_ = path;
  begin_ = end_ = 0;
  buffer_offset_ = fed_offset_ = 0;
  line_cut_ = false;
  source_done_ = false;
  read_error_ = {};
  detector_ = EncodingDetector();
  return {};
}

void LineReader::FileClose() {
  if (file_ != platform::kNoFile) {
    // A file that was only read loses nothing when its close fails.
    static_cast<void>(platform::CloseFile(file_));
    file_ = platform::kNoFile;
  }
  begin_ = end_ = 0;
  source_done_ = true;
}

bool LineReader::FileAtEnd() {
  if (begin_ == end_ && !source_done_) {
    Refill();
  }
  return begin_ == end_;
}

std::string_view LineReader::FileReadLine() {
  std::size_t scanned = 0;  // bytes after begin_ known to hold no line end
  for (;;) {
    const char* data = buffer_.data();
    const char* stop = FindLineEnd(data + begin_ + scanned, data + end_);
    const auto stop_index = static_cast<std::size_t>(stop - data);
    const bool found = stop_index < end_;
    // A CR in the last byte read needs the next byte to know whether an LF belongs to it.
    const bool needs_lookahead = found && *stop == '\r' && stop_index + 1 == end_;
    if ((found && !needs_lookahead) || source_done_) {
      const std::string_view line(data + begin_, stop_index - begin_);
      begin_ = found ? stop_index + 1 : end_;
      if (found && *stop == '\r' && begin_ < end_ && data[begin_] == '\n') {
        ++begin_;
      }
      return line;
    }
    scanned = stop_index - begin_;
    Refill();
  }
}

std::string_view LineReader::FileReadLineWhere(TextSearch search, std::int64_t& lines_passed) {
  for (;;) {
    const char* data = buffer_.data();
    const char* found = search(data + begin_, data + end_);
    if (found != data + end_) {
      const std::size_t line_start = AfterLastLineEnd(data, begin_, found - data);
      if (line_start == begin_ && line_cut_) {
        ReturnToCutLine();
      } else {
        lines_passed += PassLinesUpTo(line_start);
      }
      return FileReadLine();
    }
    std::size_t stop = AfterLastLineEnd(data, begin_, end_);
    // A CR at the very end may still be followed by the LF of the same line end.
    if (stop == end_ && stop > begin_ && data[stop - 1] == '\r' && !source_done_) {
      --stop;
    }
    lines_passed += PassLinesUpTo(stop);
    if (source_done_) {
      lines_passed += begin_ < end_ || line_cut_ ? 1 : 0;
      begin_ = end_;
      line_cut_ = false;
      return {};
    }
    if (begin_ == 0 && end_ == buffer_.size()) {
      PassLinePiece();
    }
    Refill();
  }
}

void LineReader::PassLinePiece() {
  if (!line_cut_) {
    line_cut_ = true;
    cut_line_start_ = buffer_offset_ + begin_;
  }
  begin_ = end_ - (kLongestFind - 1);
}

void LineReader::ReturnToCutLine() {
  line_cut_ = false;
  begin_ = end_ = 0;
  buffer_offset_ = cut_line_start_;
  if (IoError error = platform::SeekInFile(file_, cut_line_start_); error.Failed()) {
    read_error_ = error.On(path_);
    source_done_ = true;
  }
}

std::string_view LineReader::FileReadLineRunOrPiece(bool& piece) {
  piece = false;
  for (;;) {
    const char* data = buffer_.data();
    std::size_t stop = source_done_ ? end_ : AfterLastLineEnd(data, begin_, end_);
    if (!source_done_ && stop == end_ && stop > begin_ && data[stop - 1] == '\r') {
      --stop;
    }
    if (stop > begin_) {
      const std::string_view run(data + begin_, stop - begin_);
      begin_ = stop;
      return run;
    }
    if (source_done_) {
      return {};
    }
    if (begin_ == 0 && end_ == buffer_.size()) {
      piece = true;
      begin_ = end_;
      return {data, end_};
    }
    Refill();
  }
}

std::int64_t LineReader::PassLinesUpTo(std::size_t stop) {
  const char* data = buffer_.data();
  const char next = stop < end_ ? data[stop] : '\0';
  const std::int64_t lines = CountLineEnds(data + begin_, data + stop, next);
  begin_ = stop;
  line_cut_ = line_cut_ && lines == 0;
  return lines;
}

void LineReader::Refill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    buffer_offset_ += begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) {
    buffer_.resize(buffer_.size() * 2);
  }
  const std::size_t wanted = buffer_.size() - end_;
  std::size_t got = 0;
  if (IoError error = platform::ReadFromFile(file_, buffer_.data() + end_, wanted, got);
      error.Failed()) {
    read_error_ = error.On(path_);
  }
  // Bytes read again after a return to a cut line were seen once already.
  const std::uint64_t read_from = buffer_offset_ + end_;
  if (track_encoding_ && read_from + got > fed_offset_) {
    const std::size_t seen =
        static_cast<std::size_t>(fed_offset_ > read_from ? fed_offset_ - read_from : 0);
    detector_.Feed({buffer_.data() + end_ + seen, got - seen});
    fed_offset_ = read_from + got;
  }
  // Only a read of nothing ends the file: a network or FUSE file system may deliver a
  // regular file in shorter reads than asked for.
  if (got == 0) {
    source_done_ = true;
  }
  end_ += got;
}

std::int64_t CountLineEnds(std::string_view run) {
  return CountLineEnds(run.data(), run.data() + run.size(), '\0');
}

std::string_view LineAround(std::string_view run, std::size_t position) {
  const std::size_t begin = AfterLastLineEnd(run.data(), 0, position);
  const char* end = FindLineEnd(run.data() + position, run.data() + run.size());
  return run.substr(begin, static_cast<std::size_t>(end - run.data()) - begin);
}

namespace {

// Reads into anything with resize, size and data: a string, or large blocks for a file
// that may be large.
template <typename Bytes>
IoError ReadWholeFileInto(const std::string& path, Bytes& contents) {
  const std::string resolved = ResolveProgramPath(path);
  const platform::OpenedFile opened = platform::OpenFileForReading(resolved);
  if (!opened.IsOpen()) {
    return opened.error;
  }
  // Sized by the file so that one read takes it whole, and a byte more. A file that grew
  // meanwhile is read on; only a read of nothing is its end.
  const std::uint64_t size_hint = platform::SizeOfOpenFile(opened.handle);
  contents.resize(size_hint < SIZE_MAX / 2 ? static_cast<std::size_t>(size_hint) + 1 : 64 * 1024);
  std::size_t used = 0;
  IoError error;
  for (;;) {
    if (used == contents.size()) {
      contents.resize(contents.size() * 2);
    }
    std::size_t got = 0;
    error =
        platform::ReadFromFile(opened.handle, contents.data() + used, contents.size() - used, got);
    used += got;
    if (error.Failed() || got == 0) {
      break;
    }
  }
  contents.resize(used);
  static_cast<void>(platform::CloseFile(opened.handle));
  return error.Failed() ? error.On(resolved) : error;
}

}  // namespace

IoError ReadWholeFile(const std::string& path, std::string& contents) {
  return ReadWholeFileInto(path, contents);
}

IoError ReadWholeFile(const std::string& path, LargeBytes& contents) {
  return ReadWholeFileInto(path, contents);
}

bool FileIsReadable(const std::string& path) {
  const platform::OpenedFile opened = platform::OpenFileForReading(ResolveProgramPath(path));
  if (!opened.IsOpen()) {
    return false;
  }
  static_cast<void>(platform::CloseFile(opened.handle));
  return true;
}

}  // namespace dwelvane

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/folder_walk.h"
#include "runtime/large_block.h"
#include "runtime/platform_file.h"
#include "runtime/text_encoding.h"

namespace dwelvane {

// Reads a file line by line through one reusable buffer. CR, LF, CR LF and a zero byte
// each end a line; the ending is never part of the line, and a file that ends with a line
// end gives no extra empty line. Lines of any length are delivered whole.
class LineReader {
 public:
  explicit LineReader(std::size_t chunk_size = 128 * 1024);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Closes a file still open, then opens `path` (relative to the program folder when it
  // is relative). Fails when the file can't be opened for reading. `listed_regular`: a
  // folder listing said it is a regular file (see platform::OpenFileForReading).
  IoError FileOpenRead(const std::string& path, bool listed_regular = false);
  // Opens a file a walk met, through its folder's handle where the walk has one.
  IoError FileOpenRead(const WalkedFile& file);
  void FileClose();

  // True when no byte is left to read.
  bool FileAtEnd();

  // Has the reader tell, for each file it reads from now on, which encoding its bytes are
  // in; FileEncoding is then valid once the file has been read to its end.
  void TrackEncoding() { track_encoding_ = true; }
  SourceEncoding FileEncoding() const { return detector_.Result(); }

  // The read of the open file that failed: the file then ended early, and what was read
  // of it is no whole file. Asked after the last line; no failure when it was read whole.
  const IoError& FileReadError() const { return read_error_; }

  // The next line; the empty text at the end. The view stays valid until the next call
  // on this reader.
  std::string_view FileReadLine();

  // Finds something in a text; returns where it begins, or `end` when it isn't there.
  // What it finds holds no line end byte and is at most kLongestFind bytes long.
  using TextSearch = const char* (*)(const char* begin, const char* end);
  static constexpr std::size_t kLongestFind = 15;

  // Passes over the lines in which `search` finds nothing, adding their number to
  // `lines_passed`, and returns the next line in which it finds something; the empty text
  // when the file ends first. Much faster than testing every line on its own. A line
  // longer than the buffer is passed in pieces, so memory stays the buffer's; should
  // `search` find something in it after all, the reader goes back to the line's start
  // and delivers it whole.
  std::string_view FileReadLineWhere(TextSearch search, std::int64_t& lines_passed);

  // The next run of whole lines, their line ends included, as many as the buffer holds: it
  // ends right after a line end (a CR LF is never split), before a CR that ends the bytes
  // read so far, or at the end of the file. A line longer than the buffer comes in pieces
  // of the buffer's size instead of growing the buffer, `piece` telling that the text holds
  // no line end and its line goes on: memory stays the buffer's whatever the lines. The
  // rest of the line then begins the next run. The empty text at the end. For callers that
  // measure lines rather than read them.
  std::string_view FileReadLineRunOrPiece(bool& piece);

 private:
  // Makes `opened` the file read from, unless it failed.
  IoError Adopt(platform::OpenedFile opened, const std::string& path);

  // Moves the unread bytes to the front, grows the buffer when it is full and reads more.
  void Refill();

  // Consumes the unread bytes up to `stop`, which follows a line end, and counts the lines.
  std::int64_t PassLinesUpTo(std::size_t stop);

  // Drops the unread bytes of a line that fills the buffer, but for the last few, where
  // a find may begin.
  void PassLinePiece();

  // Reads the line whose start PassLinePiece dropped from its start again.
  void ReturnToCutLine();

  platform::FileHandle file_ = platform::kNoFile;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::uint64_t buffer_offset_ = 0;  // where in the file buffer_[0] was read from
  std::uint64_t fed_offset_ = 0;     // the bytes the encoding detector has been given
  bool line_cut_ = false;            // the start of the line at begin_ was dropped
  std::uint64_t cut_line_start_ = 0;
  bool source_done_ = true;
  std::string path_;
  IoError read_error_;
  bool track_encoding_ = false;
  EncodingDetector detector_;
};

// The whole contents of a regular file; fails when it can't be opened or read whole.
IoError ReadWholeFile(const std::string& path, std::string& contents);
IoError ReadWholeFile(const std::string& path, LargeBytes& contents);

// True when `path` names a regular file that can be opened for reading.
bool FileIsReadable(const std::string& path);

// The bytes that end a line: CR, LF and the zero byte.
constexpr bool IsLineEnd(char byte) {
  return byte == '\n' || byte == '\r' || byte == '\0';
}

// The first line end byte in [position, end); `end` when there is none.
const char* FindLineEnd(const char* position, const char* end);

// The line ends in a run of lines as FileReadLineRunOrPiece delivers it; a CR LF counts once.
std::int64_t CountLineEnds(std::string_view run);

// Where the line that holds `position` begins and ends (before its line end) in a run.
std::string_view LineAround(std::string_view run, std::size_t position);

}  // namespace dwelvane

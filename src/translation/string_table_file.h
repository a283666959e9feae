#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/io_error.h"

namespace dwelvane {

// One line of a string table as it stands in the file.
struct TableLine {
  std::string_view line;  // the whole line without its line end
  std::string_view id;    // empty for comments (";" first), blank lines and lines without an ID
  std::string_view text;  // after the tab (or, in a line without one, the first space)
  std::string_view end;   // the line end as written: "\r\n", "\n", "\r", a zero byte, or ""
};

// A string table as a file a user keeps: every line as it stands, so that a rewrite
// changes only the lines meant. Lines end where the dialogue's StringTable ends them (CR,
// LF, CR LF, a zero byte). The lines are views into the held bytes, which stay in place
// when the table is moved.
class StringTableFile {
 public:
  // Takes the bytes of a table. A leading UTF-8 byte order mark is noted, not part of the
  // first line.
  void Parse(std::string bytes);
  // Reads `path` whole and parses it; on failure the table is empty. A missing file is an
  // error whose Missing() says so.
  IoError Load(const std::string& path);

  bool HasByteOrderMark() const { return has_byte_order_mark_; }
  const std::string& Bytes() const { return *bytes_; }  // as read, the byte order mark included
  const std::vector<TableLine>& Lines() const { return lines_; }

  // The text of the last line with `id`, ASCII letter case ignored.
  std::optional<std::string_view> Find(std::string_view id) const;
  // The index into Lines() of that line.
  std::optional<std::size_t> FindLine(std::string_view id) const;

 private:
  void SplitLines(std::string_view bytes);
  void IndexIds(std::size_t id_lines);
  std::size_t FirstSlot(std::uint64_t hash) const { return (hash >> 32) & (slots_.size() - 1); }

  struct Slot {
    std::uint32_t line = 0;  // index into lines_ + 1; 0: an empty slot
    std::uint32_t tag = 0;   // the low half of its ID's hash, so that other IDs are passed cheaply
  };

  std::unique_ptr<std::string> bytes_ = std::make_unique<std::string>();
  bool has_byte_order_mark_ = false;
  std::vector<TableLine> lines_;
  std::vector<Slot> slots_;  // open addressing, a power of two in size
};

// Appends one entry line "ID\tTEXT\r\n": the engine drops the byte before each LF, so every
// line it reads ends with CR LF.
void AppendTableEntry(std::string& out, std::string_view id, std::string_view text);

// The table's bytes with `entries` added at its end, each as AppendTableEntry writes it;
// a last line without a line end first gets one. Every existing byte is kept.
std::string AppendTableEntries(const StringTableFile& table,
                               const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace dwelvane

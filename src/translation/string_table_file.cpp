#include "translation/string_table_file.h"

#include <bit>
#include <stdexcept>

#include "runtime/line_reader.h"
#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

// A line's ID up to its first tab (in a line without one, its first space), its text
// after that; a comment has neither.
void SplitEntry(TableLine& line) {
  if (line.line.starts_with(';')) {
    return;
  }
  std::size_t separator = line.line.find('\t');
  if (separator == std::string_view::npos) {
    separator = line.line.find(' ');
  }
  line.id = line.line.substr(0, separator);
  if (separator != std::string_view::npos) {
    line.text = line.line.substr(separator + 1);
  }
}

// The line end that starts at `stop`: CR LF as one, else the one byte; an empty view at
// `stop` at the end of the file.
std::string_view LineEndAt(const char* stop, const char* end) {
  if (stop == end) {
    return {stop, 0};
  }
  const bool crlf = *stop == '\r' && end - stop >= 2 && stop[1] == '\n';
  return {stop, crlf ? 2u : 1u};
}

// The lines of `bytes`, counted the way SplitLines cuts them, so that their vector is
// allocated once.
std::size_t CountLines(std::string_view bytes) {
  std::size_t count = 0;
  const char* const end = bytes.data() + bytes.size();
  for (const char* start = bytes.data(); start < end; ++count) {
    const char* stop = FindLineEnd(start, end);
    start = stop + LineEndAt(stop, end).size();
  }
  return count;
}

}  // namespace

void StringTableFile::Parse(std::string bytes) {
  *bytes_ = std::move(bytes);
  std::string_view view = *bytes_;
  has_byte_order_mark_ = view.starts_with(kUtf8ByteOrderMark);
  SplitLines(WithoutByteOrderMark(view));
}

IoError StringTableFile::Load(const std::string& path) {
  std::string bytes;
  IoError error = ReadWholeFile(path, bytes);
  if (error.Failed()) {
    bytes.clear();
  }
  Parse(std::move(bytes));
  return error;
}

void StringTableFile::SplitLines(std::string_view bytes) {
  lines_.clear();
  lines_.reserve(CountLines(bytes));
  std::size_t id_lines = 0;
  const char* const end = bytes.data() + bytes.size();
  for (const char* start = bytes.data(); start < end;) {
    const char* stop = FindLineEnd(start, end);
    TableLine& line = lines_.emplace_back();
    line.line = {start, static_cast<std::size_t>(stop - start)};
    line.end = LineEndAt(stop, end);
    SplitEntry(line);
    id_lines += line.id.empty() ? 0 : 1;
    start = stop + line.end.size();
  }
  // Slots hold a line's index in 32 bits.
  if (lines_.size() >= UINT32_MAX) {
    throw std::length_error("string table of more than 4 billion lines");
  }
  IndexIds(id_lines);
}

void StringTableFile::IndexIds(std::size_t id_lines) {
  // At most half full, so that probe runs stay short.
  slots_.assign(std::bit_ceil(id_lines * 2 + 2), Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t index = 0; index < lines_.size(); ++index) {
    const std::string_view id = lines_[index].id;
    if (id.empty()) {
      continue;
    }
    const std::uint64_t hash = HashIgnoringAsciiCase(id);
    const auto tag = static_cast<std::uint32_t>(hash);
    std::size_t at = FirstSlot(hash);
    // A later line with the same ID takes the earlier one's slot.
    while (slots_[at].line != 0 &&
           (slots_[at].tag != tag || !EqualIgnoringAsciiCase(lines_[slots_[at].line - 1].id, id))) {
      at = (at + 1) & mask;
    }
    slots_[at] = {static_cast<std::uint32_t>(index + 1), tag};
  }
}

std::optional<std::size_t> StringTableFile::FindLine(std::string_view id) const {
  if (id.empty() || slots_.empty()) {
    return std::nullopt;
  }
  const std::uint64_t hash = HashIgnoringAsciiCase(id);
  const auto tag = static_cast<std::uint32_t>(hash);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = FirstSlot(hash); slots_[at].line != 0; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.tag == tag && EqualIgnoringAsciiCase(lines_[slot.line - 1].id, id)) {
      return slot.line - 1;
    }
  }
  return std::nullopt;
}

std::optional<std::string_view> StringTableFile::Find(std::string_view id) const {
  const std::optional<std::size_t> line = FindLine(id);
  return line ? std::optional(lines_[*line].text) : std::nullopt;
}

void AppendTableEntry(std::string& out, std::string_view id, std::string_view text) {
  out.append(id).append(1, '\t').append(text).append("\r\n");
}

std::string AppendTableEntries(const StringTableFile& table,
                               const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string out = table.Bytes();
  if (!table.Lines().empty() && table.Lines().back().end.empty()) {
    out.append("\r\n");
  }
  for (const auto& [id, text] : entries) {
    AppendTableEntry(out, id, text);
  }
  return out;
}

}  // namespace dwelvane

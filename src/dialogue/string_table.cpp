#include "dialogue/string_table.h"

#include <memory>
#include <utility>

#include "dialogue/package_string_table.h"
#include "runtime/line_reader.h"
#include "runtime/path_separator.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

// Room for `entries` at most two thirds full, so that probe runs stay short.
std::size_t SlotCountFor(std::size_t entries) {
  return entries + entries / 2 + 16;
}

// A hash's first slot among `slots`: the high bits of a 64-bit product, which spreads
// hashes over any number of slots without a division.
std::size_t FirstSlot(std::uint64_t hash, std::size_t slots) {
  return static_cast<std::size_t>((static_cast<unsigned __int128>(hash) * slots) >> 64);
}

// The ID up to the first tab (in a line without one, the first space), the text after it.
std::pair<std::string_view, std::string_view> SplitLine(std::string_view line) {
  std::size_t separator = line.find('\t');
  if (separator == std::string_view::npos) {
    separator = line.find(' ');
  }
  if (separator == std::string_view::npos) {
    return {line, {}};
  }
  return {line.substr(0, separator), line.substr(separator + 1)};
}

}  // namespace

void StringTable::Clear() {
  bytes_.clear();
  slots_.clear();
  encoding_ = SourceEncoding::kAscii;
}

bool StringTable::Load(const std::string& path) {
  Clear();
  // A table that fails half-way is no table: half its IDs would translate. Lines are
  // found by 32-bit positions: a table of four gigabytes or more is refused whole rather
  // than read in part.
  if (!ReadWholeFile(path, bytes_) || bytes_.size() >= UINT32_MAX) {
    Clear();
    return false;
  }
  encoding_ = DetectEncoding(bytes_);
  std::string_view bytes = bytes_;
  // A byte order mark belongs to the file, not to the first ID.
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
  }
  IndexLines(bytes);
  return true;
}

void StringTable::IndexLines(std::string_view bytes) {
  slots_.assign(SlotCountFor(static_cast<std::size_t>(CountLineEnds(bytes)) + 1), 0);
  const char* const end = bytes.data() + bytes.size();
  for (const char* line = bytes.data(); line < end;) {
    const char* stop = FindLineEnd(line, end);
    AddLine({line, static_cast<std::size_t>(stop - line)});
    if (stop == end) {
      break;
    }
    line = stop + 1;
    if (*stop == '\r' && line < end && *line == '\n') {
      ++line;
    }
  }
}

void StringTable::AddLine(std::string_view line) {
  const std::string_view id = SplitLine(line).first;
  if (!id.empty()) {
    // A later line with the same ID takes the earlier one's slot.
    slots_[FindSlot(id)] = static_cast<std::uint32_t>(line.data() - bytes_.data()) + 1;
  }
}

std::string_view StringTable::LineAt(std::uint32_t slot_value) const {
  const char* const line = bytes_.data() + (slot_value - 1);
  const char* const stop = FindLineEnd(line, bytes_.data() + bytes_.size());
  return {line, static_cast<std::size_t>(stop - line)};
}

std::size_t StringTable::FindSlot(std::string_view id) const {
  const std::size_t count = slots_.size();
  for (std::size_t slot = FirstSlot(HashIgnoringAsciiCase(id), count);;
       slot = slot + 1 == count ? 0 : slot + 1) {
    const std::uint32_t value = slots_[slot];
    if (value == 0 || EqualIgnoringAsciiCase(SplitLine(LineAt(value)).first, id)) {
      return slot;
    }
  }
}

std::string_view StringTable::Lookup(std::string_view id) const {
  if (slots_.empty()) {
    return {};
  }
  const std::uint32_t value = slots_[FindSlot(id)];
  return value == 0 ? std::string_view{} : SplitLine(LineAt(value)).second;
}

bool StringTable::Has(std::string_view id) const {
  return !slots_.empty() && slots_[FindSlot(id)] != 0;
}

StringTableChoice ChooseStringTable(std::string_view chosen, std::string_view project_folder) {
  if (!chosen.empty() && FileIsReadable(std::string(chosen))) {
    return {.path = std::string(chosen)};
  }
  std::string english = JoinProjectPath(project_folder, "English");
  english.push_back(kPathSeparator);
  english.append("STRING.TAB");
  if (!FileIsReadable(english)) {
    if (auto packaged = FindPackageStringTable(std::string(project_folder))) {
      return {.path = std::move(*packaged), .in_package = true};
    }
  }
  return {.path = english};
}

void TranslateReferences(DialogueTable& table, const std::string& path, Progress& progress,
                         const CommandFeedback& feedback) {
  // The translations are views into the table's file, which the records keep.
  const auto strings = std::make_shared<StringTable>();
  if (!strings->Load(path) && FileIsReadable(path)) {
    feedback.note_skipped(path);
  }
  table.TranslationEncoding = strings->Encoding();
  table.KeepTranslationSource(strings);
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    DialogueRecord& record = table.Record(i);
    if (!record.Reference.empty()) {
      record.Translation = strings->Lookup(record.Reference);
    }
    ++progress.ProgressCount;
    SetProgress(progress, feedback);
  }
}

}  // namespace dwelvane

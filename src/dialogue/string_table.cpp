#include "dialogue/string_table.h"

#include <memory>
#include <utility>

#include "dialogue/package_string_table.h"
#include "runtime/line_reader.h"
#include "runtime/out_of_memory.h"
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

// What ends a line's ID, kept in the low bits of its slot's tag so that a look-up reads
// the ID and the byte after it, and never scans the rest of the line.
enum IdEnd : std::uint32_t { kIdEndsAtTab = 0, kIdEndsAtSpace = 1, kIdEndsAtLineEnd = 2 };
constexpr std::uint32_t kIdEndBits = 3;

struct SplitId {
  std::string_view id;
  std::string_view text;
  std::uint32_t end = kIdEndsAtLineEnd;
};

// The ID up to the first tab (in a line without one, the first space), the text after it.
SplitId SplitLine(std::string_view line) {
  std::size_t separator = line.find('\t');
  std::uint32_t end = kIdEndsAtTab;
  if (separator == std::string_view::npos) {
    separator = line.find(' ');
    end = kIdEndsAtSpace;
  }
  if (separator == std::string_view::npos) {
    return {.id = line, .text = {}, .end = kIdEndsAtLineEnd};
  }
  return {.id = line.substr(0, separator), .text = line.substr(separator + 1), .end = end};
}

// The lines that hold an ID: only they take a slot.
std::size_t CountIdLines(std::string_view bytes) {
  std::size_t count = 0;
  const char* const end = bytes.data() + bytes.size();
  for (const char* line = bytes.data(); line < end; ++line) {
    const char* stop = FindLineEnd(line, end);
    count += SplitLine({line, static_cast<std::size_t>(stop - line)}).id.empty() ? 0 : 1;
    line = stop;
  }
  return count;
}

// True when `id` could be an ID ending as `end` says: no byte of it ends a line or, before
// that end, the ID.
bool FitsIdEnd(std::string_view id, std::uint32_t end) {
  for (const char c : id) {
    if (IsLineEnd(c) || c == '\t' || (c == ' ' && end != kIdEndsAtTab)) {
      return false;
    }
  }
  return true;
}

}  // namespace

void StringTable::Clear() {
  bytes_.clear();
  slots_.clear();
  encoding_ = SourceEncoding::kAscii;
}

IoError StringTable::Load(const std::string& path) {
  Clear();
  try {
    return WhileReading(path, [&] { return LoadWhole(path); });
  } catch (const std::bad_alloc&) {
    Clear();
    throw;
  }
}

IoError StringTable::LoadWhole(const std::string& path) {
  // A table that fails half-way is no table: half its IDs would translate. Lines are
  // found by 32-bit positions: a table of four gigabytes or more is refused whole rather
  // than read in part.
  IoError error = ReadWholeFile(path, bytes_);
  if (!error.Failed() && bytes_.size() >= UINT32_MAX) {
    error = {IoOperation::kRead, path, kFileTooLarge};
  }
  if (error.Failed()) {
    Clear();
    return error;
  }
  std::string_view bytes = bytes_.view();
  encoding_ = DetectEncoding(bytes);
  // A byte order mark belongs to the file, not to the first ID.
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
  }
  IndexLines(bytes);
  return {};
}

void StringTable::IndexLines(std::string_view bytes) {
  slots_.assign(SlotCountFor(CountIdLines(bytes)), Slot{});
  // Lines are added in file order, kAhead lines after their IDs were hashed and their
  // slots asked for, so that the slots are in the cache when they are written.
  constexpr std::size_t kAhead = 8;
  PendingLine pending[kAhead];
  std::size_t hashed = 0;
  std::size_t added = 0;
  const char* const end = bytes.data() + bytes.size();
  for (const char* line = bytes.data(); line < end;) {
    const char* stop = FindLineEnd(line, end);
    const SplitId split = SplitLine({line, static_cast<std::size_t>(stop - line)});
    if (!split.id.empty()) {
      if (hashed - added == kAhead) {
        AddLine(pending[added++ % kAhead]);
      }
      const std::uint64_t hash = HashIgnoringAsciiCase(split.id);
      PrefetchSlot(hash);
      pending[hashed++ % kAhead] = {line, split.id, split.end, hash};
    }
    if (stop == end) {
      break;
    }
    line = stop + 1;
    if (*stop == '\r' && line < end && *line == '\n') {
      ++line;
    }
  }
  while (added < hashed) {
    AddLine(pending[added++ % kAhead]);
  }
}

void StringTable::AddLine(const PendingLine& line) {
  // A later line with the same ID takes the earlier one's slot.
  slots_[FindSlot(line.id, line.hash)] = {
      static_cast<std::uint32_t>(line.start - bytes_.data()) + 1,
      (static_cast<std::uint32_t>(line.hash) & ~kIdEndBits) | line.id_end};
}

bool StringTable::SlotHoldsId(const Slot& slot, std::string_view id) const {
  const char* const line = bytes_.data() + (slot.line - 1);
  const auto room = static_cast<std::size_t>(bytes_.data() + bytes_.size() - line);
  const std::uint32_t end = slot.tag & kIdEndBits;
  if (room < id.size()) {
    return false;
  }
  const bool ends_there =
      end == kIdEndsAtLineEnd
          ? room == id.size() || IsLineEnd(line[id.size()])
          : room > id.size() && line[id.size()] == (end == kIdEndsAtTab ? '\t' : ' ');
  return ends_there && EqualIgnoringAsciiCase({line, id.size()}, id) && FitsIdEnd(id, end);
}

std::string_view StringTable::TextAt(const Slot& slot) const {
  const char* const line = bytes_.data() + (slot.line - 1);
  const char* const stop = FindLineEnd(line, bytes_.data() + bytes_.size());
  return SplitLine({line, static_cast<std::size_t>(stop - line)}).text;
}

std::size_t StringTable::FindSlot(std::string_view id, std::uint64_t hash) const {
  const std::size_t count = slots_.size();
  const auto tag = static_cast<std::uint32_t>(hash) & ~kIdEndBits;
  for (std::size_t index = FirstSlot(hash, count);; index = index + 1 == count ? 0 : index + 1) {
    const Slot& slot = slots_[index];
    if (slot.line == 0 || ((slot.tag & ~kIdEndBits) == tag && SlotHoldsId(slot, id))) {
      return index;
    }
  }
}

std::string_view StringTable::LookupHashed(std::string_view id, std::uint64_t hash) const {
  if (slots_.empty()) {
    return {};
  }
  const Slot& slot = slots_[FindSlot(id, hash)];
  return slot.line == 0 ? std::string_view{} : TextAt(slot);
}

void StringTable::PrefetchSlot(std::uint64_t hash) const {
  if (!slots_.empty()) {
    __builtin_prefetch(&slots_[FirstSlot(hash, slots_.size())]);
  }
}

bool StringTable::Has(std::string_view id) const {
  return !slots_.empty() && slots_[FindSlot(id, HashIgnoringAsciiCase(id))].line != 0;
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
  if (const IoError error = strings->Load(path); error.Failed() && FileIsReadable(path)) {
    feedback.note_skipped(error);
  }
  table.TranslationEncoding = strings->Encoding();
  table.KeepTranslationSource(strings);
  const auto reference_of = [&](std::size_t i) { return table.Record(i).Reference; };
  const auto take = [&](std::size_t i, std::string_view text) {
    DialogueRecord& record = table.Record(i);
    if (!record.Reference.empty()) {
      record.Translation = text;
    }
    ++progress.ProgressCount;
    SetProgress(progress, feedback);
  };
  strings->LookupEach(table.DialogueCount, reference_of, take);
}

}  // namespace dwelvane

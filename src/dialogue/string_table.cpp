#include "dialogue/string_table.h"

#include "dialogue/package_string_table.h"
#include "runtime/line_reader.h"
#include "runtime/path_separator.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

std::string FoldAsciiCase(std::string_view id) {
  std::string folded(id);
  for (char& byte : folded) {
    byte = LowerAscii(byte);
  }
  return folded;
}

}  // namespace

bool StringTable::Load(const std::string& path) {
  texts_.clear();
  encoding_ = SourceEncoding::kAscii;
  LineReader reader;
  reader.TrackEncoding();
  if (!reader.FileOpenRead(path)) {
    return false;
  }
  // A byte order mark belongs to the file, not to the first ID.
  bool first = true;
  while (!reader.FileAtEnd()) {
    std::string_view line = reader.FileReadLine();
    if (first && line.starts_with(kUtf8ByteOrderMark)) {
      line.remove_prefix(kUtf8ByteOrderMark.size());
    }
    first = false;
    AddLine(line);
  }
  // A table that fails half-way is no table: half its IDs would translate.
  if (reader.FileReadFailed()) {
    texts_.clear();
    return false;
  }
  encoding_ = reader.FileEncoding();
  return true;
}

void StringTable::AddLine(std::string_view line) {
  std::size_t separator = line.find('\t');
  if (separator == std::string_view::npos) {
    separator = line.find(' ');
  }
  const std::string_view id = line.substr(0, separator);
  if (id.empty()) {
    return;
  }
  const std::string_view text =
      separator == std::string_view::npos ? std::string_view{} : line.substr(separator + 1);
  texts_.insert_or_assign(FoldAsciiCase(id), std::string(text));
}

std::string_view StringTable::Lookup(std::string_view id) const {
  const auto found = texts_.find(FoldAsciiCase(id));
  return found == texts_.end() ? std::string_view{} : std::string_view(found->second);
}

bool StringTable::Has(std::string_view id) const {
  return texts_.contains(FoldAsciiCase(id));
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
  StringTable strings;
  if (!strings.Load(path) && FileIsReadable(path)) {
    feedback.note_skipped(path);
  }
  table.TranslationEncoding = strings.Encoding();
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    DialogueRecord& record = table.Record(i);
    if (!record.Reference.empty()) {
      record.Translation = table.StoreText(strings.Lookup(record.Reference));
    }
    ++progress.ProgressCount;
    SetProgress(progress, feedback);
  }
}

}  // namespace dwelvane

// A string table file splits any bytes into lines that put back together give the file;
// entries written with AppendTableEntry, alone or after any table, read back as written,
// and Find gives the last of an ID in any ASCII letter case.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "runtime/text_operations.h"
#include "translation/string_table_file.h"

using namespace dwelvane;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

std::string Without(std::string_view text, std::string_view dropped) {
  std::string kept;
  for (const char c : text) {
    if (dropped.find(c) == std::string_view::npos) {
      kept.push_back(c);
    }
  }
  return kept;
}

// One entry per line of the input: the ID before its first tab, the text after it, each
// without the bytes it can't hold.
Entries CutEntries(std::string_view data) {
  Entries entries;
  for (const std::string_view line : fuzz::ReferenceLines(data)) {
    const std::size_t tab = std::min(line.find('\t'), line.size());
    std::string id = Without(line.substr(0, tab), std::string_view("\t \r\n\0", 5));
    if (id.empty() || id.starts_with(';') || id.starts_with("\xEF\xBB\xBF")) {
      continue;
    }
    entries.emplace_back(std::move(id), Without(line.substr(std::min(tab + 1, line.size())),
                                                std::string_view("\r\n\0", 3)));
  }
  return entries;
}

void CheckLines(const StringTableFile& table) {
  std::string rejoined = table.HasByteOrderMark() ? "\xEF\xBB\xBF" : "";
  for (const TableLine& line : table.Lines()) {
    const char* const start = line.line.data();
    const char* const stop = start + line.line.size();
    if (line.id.size() > line.line.size() || (!line.id.empty() && line.id.data() != start) ||
        line.text.data() + line.text.size() > stop || line.end.data() != stop) {
      __builtin_trap();
    }
    rejoined.append(line.line).append(line.end);
  }
  if (rejoined != table.Bytes()) {
    __builtin_trap();
  }
}

// The entries are the table's last lines with an ID, in order, and each ID finds its last text.
void CheckEntries(const StringTableFile& table, const Entries& entries) {
  std::vector<const TableLine*> with_id;
  for (const TableLine& line : table.Lines()) {
    if (!line.id.empty()) {
      with_id.push_back(&line);
    }
  }
  if (with_id.size() < entries.size()) {
    __builtin_trap();
  }
  const std::size_t first = with_id.size() - entries.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (with_id[first + i]->id != entries[i].first ||
        with_id[first + i]->text != entries[i].second) {
      __builtin_trap();
    }
    std::string_view last;
    for (const auto& [id, text] : entries) {
      last = EqualIgnoringAsciiCase(id, entries[i].first) ? std::string_view(text) : last;
    }
    if (table.Find(entries[i].first) != last) {
      __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  StringTableFile table;
  table.Parse(std::string(bytes));
  CheckLines(table);

  const Entries entries = CutEntries(bytes);
  std::string written;
  for (const auto& [id, text] : entries) {
    AppendTableEntry(written, id, text);
  }
  StringTableFile alone;
  alone.Parse(written);
  if (alone.Lines().size() != entries.size()) {
    __builtin_trap();
  }
  CheckEntries(alone, entries);

  const std::string appended = AppendTableEntries(table, entries);
  if (!appended.starts_with(bytes)) {
    __builtin_trap();
  }
  StringTableFile after;
  after.Parse(appended);
  CheckLines(after);
  CheckEntries(after, entries);
  return 0;
}

// The dialogue table's CSV read back by a plain RFC 4180 reader gives the fields that were
// written, whatever bytes they hold: each in double quotes, inner ones doubled, joined by
// the separator, CR LF after each record; with safe cells, a "'" before each field that
// starts a formula, and before no other.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogue/csv_writer.h"
#include "fuzz_support.h"
#include "runtime/line_reader.h"
#include "runtime/line_writer.h"

using namespace dwelvane;

namespace {

constexpr std::string_view kSeparators[] = {";", ",", "\t", "|", "::"};

// The records of `csv`: quoted fields joined by `separator`, each record ended by CR LF.
// Nothing when the text is not of that form.
std::optional<std::vector<std::vector<std::string>>> ReadBack(std::string_view csv,
                                                              std::string_view separator) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::size_t at = 0;
  while (at < csv.size()) {
    if (csv[at] != '"') {
      return std::nullopt;
    }
    std::string field;
    for (++at;; ++at) {
      if (at >= csv.size()) {
        return std::nullopt;
      }
      if (csv[at] == '"') {
        if (at + 1 < csv.size() && csv[at + 1] == '"') {
          field.push_back('"');
          ++at;
          continue;
        }
        ++at;
        break;
      }
      field.push_back(csv[at]);
    }
    record.push_back(std::move(field));
    if (csv.substr(at).starts_with("\r\n")) {
      records.push_back(std::move(record));
      record.clear();
      at += 2;
    } else if (csv.substr(at).starts_with(separator)) {
      at += separator.size();
    } else {
      return std::nullopt;
    }
  }
  if (!record.empty()) {
    return std::nullopt;
  }
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  const std::string_view separator = kSeparators[data[0] % std::size(kSeparators)];
  const bool safe_cells = (data[0] & 0x80) != 0;
  // Records split at 0x1E, their speaker, sentence, audio and reference at 0x1F.
  DialogueTable table;
  std::vector<std::vector<std::string>> expected;
  const std::string_view text = fuzz::AsText(data + 1, size - 1);
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\x1E', start), text.size());
    std::string_view rest = text.substr(start, end - start);
    std::string_view fields[4];
    for (std::string_view& field : fields) {
      const std::size_t cut = std::min(rest.find('\x1F'), rest.size());
      field = table.StoreText(rest.substr(0, cut));
      rest.remove_prefix(std::min(cut + 1, rest.size()));
    }
    DialogueRecord& record = table.AppendRecord();
    record = {"f/", "s.script", 7, fields[0], fields[3], "", fields[1], fields[2]};
    std::vector<std::string>& row = expected.emplace_back();
    for (const std::string_view cell :
         {std::string_view("f/"), std::string_view("s.script"), std::string_view("7"), fields[0],
          fields[1], fields[2], fields[3]}) {
      row.emplace_back(safe_cells && !cell.empty() && StartsFormula(cell.front()) ? "'" : "");
      row.back().append(cell);
    }
    start = end + 1;
  }

  const std::string& path = fuzz::ScratchPath("table.csv");
  LineWriter writer;
  if (writer.FileCreate(path).Failed()) {
    __builtin_trap();
  }
  CsvLayout layout;
  layout.separator = std::string(separator);
  layout.safe_cells = safe_cells;
  static_cast<void>(WriteDialogueCsv(table, layout, writer));
  if (writer.FileClose().Failed()) {
    __builtin_trap();
  }
  std::string written;
  if (ReadWholeFile(path, written).Failed()) {
    __builtin_trap();
  }
  const auto records = ReadBack(written, separator);
  if (!records || *records != expected) {
    __builtin_trap();
  }
  return 0;
}

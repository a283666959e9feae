// The dialogue table's CSV read back gives the fields that were written, whatever bytes
// they hold: each in double quotes with inner ones doubled, joined by the separator, CR LF
// after each record; with safe cells, a "'" before each field that starts a formula.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogue/csv_writer.h"
#include "fuzz_support.h"
#include "runtime/line_reader.h"
#include "runtime/line_writer.h"

using namespace dwelvane;

namespace {

using Records = std::vector<std::vector<std::string>>;

// The records of `csv` read back; empty when the text is not of the form above.
Records ReadBack(std::string_view csv, std::string_view separator) {
  Records records(1);
  while (!csv.empty()) {
    std::string field;
    std::size_t at = 1;
    for (; at < csv.size() && (csv[at] != '"' || csv.substr(at, 2) == "\"\""); ++at) {
      at += csv[at] == '"' ? 1 : 0;
      field.push_back(csv[at]);
    }
    if (!csv.starts_with('"') || at >= csv.size()) {
      return {};
    }
    records.back().push_back(std::move(field));
    csv.remove_prefix(at + 1);
    if (csv.starts_with("\r\n")) {
      csv.remove_prefix(2);
      records.emplace_back();
    } else if (csv.starts_with(separator)) {
      csv.remove_prefix(separator.size());
    } else {
      return {};
    }
  }
  records.pop_back();
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  constexpr std::string_view kSeparators[] = {";", ",", "\t", "|", "::"};
  CsvLayout layout;
  layout.separator = kSeparators[data[0] % std::size(kSeparators)];
  layout.safe_cells = (data[0] & 0x80) != 0;
  // Records split at 0x1E, their speaker, sentence, audio and reference at 0x1F.
  DialogueTable table;
  Records expected;
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
    table.AppendRecord() = {"f/", "s.script", 7, fields[0], fields[3], "", fields[1], fields[2]};
    expected.push_back({"f/", "s.script", "7"});
    for (const std::string_view cell : {fields[0], fields[1], fields[2], fields[3]}) {
      const bool formula = layout.safe_cells && !cell.empty() && StartsFormula(cell.front());
      expected.back().push_back((formula ? "'" : "") + std::string(cell));
    }
    start = end + 1;
  }
  const std::string& path = fuzz::ScratchPath("table.csv");
  LineWriter writer;
  std::string written;
  if (writer.FileCreate(path).Failed()) {
    __builtin_trap();
  }
  static_cast<void>(WriteDialogueCsv(table, layout, writer));
  if (writer.FileClose().Failed() || ReadWholeFile(path, written).Failed() ||
      ReadBack(written, layout.separator) != expected) {
    __builtin_trap();
  }
  return 0;
}

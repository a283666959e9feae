// The translators' CSV cells: any bytes are read without a fault, and cells written by
// AppendCsvCell read back as they were, whatever they hold.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "translation/csv_cells.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dwelvane;
  const std::string_view input = fuzz::AsText(data, size);
  std::size_t bad_row = 0;
  static_cast<void>(ReadCsvRows(input, bad_row));
  // Cells cut at each zero byte, rows at each 0x01 byte.
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  for (const char c : input) {
    if (c == '\x01') {
      rows.emplace_back(1);
    } else if (c == '\0') {
      rows.back().emplace_back();
    } else {
      rows.back().back().push_back(c);
    }
  }
  std::string written;
  for (const std::vector<std::string>& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      written.append(i == 0 ? "" : ",");
      AppendCsvCell(written, row[i]);
    }
    written.append("\r\n");
  }
  const auto read = ReadCsvRows(written, bad_row);
  if (!read || read->rows != rows) {
    __builtin_trap();
  }
  return 0;
}

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

// Appends `cell` in double quotes, inner double quotes doubled; a "'" before a cell that a
// spreadsheet would take for a formula, and before one that starts with "'" itself, so
// that reading takes exactly one off.
void AppendCsvCell(std::string& out, std::string_view cell);

struct CsvRows {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::size_t> lines;  // the line each row starts on, from 1
};

// The comma-separated rows of `text` (quoted cells may hold commas, quotes doubled and line
// breaks; rows end at CR LF or LF), each cell without the "'" AppendCsvCell put before it.
// Nothing, and the line (from 1) of the row in `bad_line`, where a quote isn't closed or
// text follows a closing quote.
std::optional<CsvRows> ReadCsvRows(std::string_view text, std::size_t& bad_line);

}  // namespace dwelvane

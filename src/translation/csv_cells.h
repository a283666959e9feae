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

// The comma-separated rows of `text` (quoted cells may hold commas, quotes doubled and line
// breaks; rows end at CR LF or LF), each cell without the "'" AppendCsvCell put before it.
// Nothing, and the row (from 1) in `bad_row`, where a quote isn't closed or text follows
// a closing quote.
std::optional<std::vector<std::vector<std::string>>> ReadCsvRows(std::string_view text,
                                                                 std::size_t& bad_row);

}  // namespace dwelvane

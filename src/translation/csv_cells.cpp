#include "translation/csv_cells.h"

#include <algorithm>

#include "dialogue/csv_writer.h"

namespace dwelvane {
namespace {

bool NeedsMark(char first) {
  return StartsFormula(first) || first == '\'';
}

void TakeOffMark(std::string& cell) {
  if (cell.size() > 1 && cell[0] == '\'' && NeedsMark(cell[1])) {
    cell.erase(0, 1);
  }
}

class RowReader {
 public:
  explicit RowReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return at_ >= text_.size(); }
  // The line the next row starts on, from 1.
  std::size_t Line() const { return line_; }

  // False where the row isn't well formed.
  bool ReadRow(std::vector<std::string>& row) {
    row.clear();
    for (;;) {
      std::string& cell = row.emplace_back();
      if (!ReadCell(cell)) {
        return false;
      }
      TakeOffMark(cell);
      if (AtEnd()) {
        return true;
      }
      const char next = text_[at_++];
      if (next == ',') {
        continue;
      }
      if (next == '\r' && at_ < text_.size() && text_[at_] == '\n') {
        ++at_;
      }
      ++line_;
      return next == '\n' || next == '\r';
    }
  }

 private:
  bool ReadCell(std::string& cell) {
    if (AtEnd() || text_[at_] != '"') {
      const std::size_t end = text_.find_first_of(",\r\n", at_);
      cell.assign(text_.substr(at_, end - at_));
      at_ = end == std::string_view::npos ? text_.size() : end;
      return true;
    }
    ++at_;
    for (;;) {
      const std::size_t quote = text_.find('"', at_);
      if (quote == std::string_view::npos) {
        return false;
      }
      const std::string_view inside = text_.substr(at_, quote - at_);
      line_ += static_cast<std::size_t>(std::count(inside.begin(), inside.end(), '\n'));
      cell.append(inside);
      at_ = quote + 1;
      if (at_ < text_.size() && text_[at_] == '"') {
        cell.push_back('"');
        ++at_;
        continue;
      }
      return AtEnd() || text_[at_] == ',' || text_[at_] == '\r' || text_[at_] == '\n';
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t line_ = 1;
};

}  // namespace

void AppendCsvCell(std::string& out, std::string_view cell) {
  out.push_back('"');
  if (!cell.empty() && NeedsMark(cell.front())) {
    out.push_back('\'');
  }
  for (const char c : cell) {
    if (c == '"') {
      out.push_back('"');
    }
    out.push_back(c);
  }
  out.push_back('"');
}

std::optional<CsvRows> ReadCsvRows(std::string_view text, std::size_t& bad_line) {
  CsvRows read;
  RowReader reader(text);
  std::vector<std::string> row;
  while (!reader.AtEnd()) {
    const std::size_t line = reader.Line();
    if (!reader.ReadRow(row)) {
      bad_line = line;
      return std::nullopt;
    }
    read.rows.push_back(row);
    read.lines.push_back(line);
  }
  return read;
}

}  // namespace dwelvane

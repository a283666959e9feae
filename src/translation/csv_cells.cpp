#include "translation/csv_cells.h"

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
      cell.append(text_.substr(at_, quote - at_));
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

std::optional<std::vector<std::vector<std::string>>> ReadCsvRows(std::string_view text,
                                                                 std::size_t& bad_row) {
  std::vector<std::vector<std::string>> rows;
  RowReader reader(text);
  std::vector<std::string> row;
  while (!reader.AtEnd()) {
    if (!reader.ReadRow(row)) {
      bad_row = rows.size() + 1;
      return std::nullopt;
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace dwelvane

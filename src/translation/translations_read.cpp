#include "translation/translations_read.h"

#include <algorithm>

#include "runtime/text_encoding.h"
#include "translation/csv_cells.h"
#include "translation/po_file.h"
#include "translation/translation_files.h"

namespace dwelvane {
namespace {

TranslationsRead ReadPoTranslations(std::string_view bytes) {
  TranslationsRead read;
  PoReadError error;
  const auto take = [&](PoMessage&& message, std::int64_t line) {
    if (message.obsolete || message.IsHeader() || message.Fuzzy() || !message.context ||
        message.strings.empty() || message.strings.front().empty()) {
      return;
    }
    read.translations.push_back(
        {std::move(*message.context), std::move(message.strings.front()), line});
  };
  if (!ReadPoMessages(bytes, take, error)) {
    read.translations.clear();
    read.error = error.message;
    read.error_line = error.line;
  }
  return read;
}

TranslationsRead ReadCsvTranslations(std::string_view bytes) {
  TranslationsRead read;
  std::size_t bad_line = 0;
  const auto csv = ReadCsvRows(bytes, bad_line);
  if (!csv) {
    read.error = "a quoted cell is not closed, or text follows its closing quote";
    read.error_line = static_cast<std::int64_t>(bad_line);
    return read;
  }
  const std::vector<std::vector<std::string>>& rows = csv->rows;
  const std::vector<std::string>& header = rows.front();
  const auto column = [&](std::string_view name) {
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
  };
  const std::size_t id = column("id");
  const std::size_t text = column("translation");
  if (id == header.size() || text == header.size()) {
    read.error = "the header row names no \"id\" or no \"translation\" column";
    read.error_line = 1;
    return read;
  }
  for (std::size_t row = 1; row < rows.size(); ++row) {
    const std::vector<std::string>& cells = rows[row];
    if (id < cells.size() && text < cells.size() && !cells[text].empty()) {
      read.translations.push_back(
          {cells[id], cells[text], static_cast<std::int64_t>(csv->lines[row])});
    }
  }
  return read;
}

}  // namespace

TranslationsRead ReadTranslations(std::string_view bytes) {
  const std::string_view text = WithoutByteOrderMark(bytes);
  if (text.starts_with("id,") || text.starts_with("\"id\",")) {
    return ReadCsvTranslations(text);
  }
  return ReadPoTranslations(bytes);
}

}  // namespace dwelvane

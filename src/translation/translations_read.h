#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

// One translation a translator's file gives: UTF-8, "\n" for each line break.
struct ReadTranslation {
  std::string id;
  std::string text;
  std::int64_t line = 0;  // where it stands in its file, from 1
};

struct TranslationsRead {
  std::vector<ReadTranslation> translations;  // in file order; fuzzy and empty ones left out
  std::string error;                          // why the file is no translators' file
  std::int64_t error_line = 0;
};

// The translations of a PO file (msgctxt the ID) or of a CSV file as the export writes it
// (with the columns "id" and "translation" named in its header row), told apart by their
// content.
TranslationsRead ReadTranslations(std::string_view bytes);

}  // namespace dwelvane

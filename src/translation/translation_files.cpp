#include "translation/translation_files.h"

#include <algorithm>

#include "dialogue/csv_writer.h"
#include "runtime/text_encoding.h"
#include "translation/csv_cells.h"

namespace dwelvane {
namespace {

// A comment holds one line: a line break shows as the table writes it.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', '|');
  return text;
}

PoMessage MakeHeader(std::string_view project_name, std::string_view language) {
  PoMessage header;
  header.strings.push_back("Project-Id-Version: " + std::string(project_name) +
                           "\n"
                           "PO-Revision-Date: \n"
                           "Last-Translator: \n"
                           "Language-Team: \n"
                           "Language: " +
                           std::string(language) +
                           "\n"
                           "MIME-Version: 1.0\n"
                           "Content-Type: text/plain; charset=UTF-8\n"
                           "Content-Transfer-Encoding: 8bit\n"
                           "X-Generator: Dwelvane\n");
  return header;
}

PoMessage MakeMessage(const TranslationEntry& entry) {
  PoMessage message;
  message.extracted_comments.push_back("character: " + OneLine(entry.character));
  if (!entry.audio.empty()) {
    message.extracted_comments.push_back("audio: " + OneLine(entry.audio));
  }
  if (!entry.before.empty()) {
    message.extracted_comments.push_back("after: " + OneLine(entry.before));
  }
  std::string places;
  for (const std::string& place : entry.places) {
    places.append(places.empty() ? "" : " ").append(place);
  }
  message.references.push_back(std::move(places));
  message.context = entry.id;
  message.id = entry.source;
  message.strings.push_back(entry.translation);
  return message;
}

}  // namespace

PoCatalog MakeTranslationCatalog(const std::vector<TranslationEntry>& entries,
                                 std::string_view project_name, std::string_view language) {
  PoCatalog catalog;
  catalog.messages.reserve(entries.size() + 1);
  catalog.messages.push_back(MakeHeader(project_name, language));
  for (const TranslationEntry& entry : entries) {
    catalog.messages.push_back(MakeMessage(entry));
  }
  return catalog;
}

std::string MakeTranslationCsv(const std::vector<TranslationEntry>& entries) {
  std::string csv(kUtf8ByteOrderMark);
  csv.append(kTranslationCsvHeader).append("\r\n");
  for (const TranslationEntry& entry : entries) {
    const std::string_view place = entry.places.front();
    const std::size_t colon = place.rfind(':');
    const std::string_view cells[] = {entry.id,
                                      entry.character,
                                      entry.source,
                                      entry.translation,
                                      entry.before,
                                      place.substr(0, colon),
                                      place.substr(colon + 1),
                                      entry.audio};
    for (std::size_t i = 0; i < std::size(cells); ++i) {
      csv.append(i == 0 ? "" : ",");
      AppendCsvCell(csv, cells[i]);
    }
    csv.append("\r\n");
  }
  return csv;
}

}  // namespace dwelvane

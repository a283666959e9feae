#include "translation/translation_files.h"

#include <algorithm>

#include "runtime/text_encoding.h"
#include "translation/csv_cells.h"

namespace dwelvane {
namespace {

// A comment holds one line: a line break shows as the table writes it.
void SetComment(std::string& comment, std::string_view label, std::string_view text) {
  comment.assign(label).append(text);
  std::replace(comment.begin() + static_cast<std::ptrdiff_t>(label.size()), comment.end(), '\n',
               '|');
}

}  // namespace

PoMessage MakeTranslationHeader(std::string_view project_name, std::string_view language) {
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

void FillTranslationMessage(PoMessage& message, const TranslationEntry& entry) {
  std::vector<std::string>& comments = message.extracted_comments;
  const std::size_t count = 1 + (entry.audio.empty() ? 0 : 1) + (entry.before.empty() ? 0 : 1);
  comments.resize(count);
  SetComment(comments[0], "character: ", entry.character);
  if (!entry.audio.empty()) {
    SetComment(comments[1], "audio: ", entry.audio);
  }
  if (!entry.before.empty()) {
    SetComment(comments[count - 1], "after: ", entry.before);
  }
  message.references.resize(1);
  message.references[0] = entry.places;
  message.context = entry.id;
  message.id = entry.source;
  message.strings.resize(1);
  message.strings[0] = entry.translation;
}

void AppendTranslationCsvStart(std::string& out) {
  out.append(kUtf8ByteOrderMark).append(kTranslationCsvHeader).append("\r\n");
}

void AppendTranslationCsvRow(std::string& out, const TranslationEntry& entry) {
  const std::string_view cells[] = {entry.id,          entry.character, entry.source,
                                    entry.translation, entry.before,    entry.first_file,
                                    entry.first_line,  entry.audio};
  for (std::size_t i = 0; i < std::size(cells); ++i) {
    out.append(i == 0 ? "" : ",");
    AppendCsvCell(out, cells[i]);
  }
  out.append("\r\n");
}

}  // namespace dwelvane

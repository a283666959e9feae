#include "translation/import_translations.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "runtime/file_replacement.h"
#include "runtime/line_reader.h"
#include "runtime/text_operations.h"
#include "translation/loaded_tables.h"
#include "translation/project_tables.h"
#include "translation/table_text.h"
#include "translation/translations_read.h"

namespace dwelvane {
namespace {

using TextsById = std::unordered_map<std::string, std::string, AsciiCaseHash, AsciiCaseEqual>;

// The file's translations in the table's encoding, the last of an ID winning; the bad
// ones named.
TextsById EncodeTranslations(const std::vector<ReadTranslation>& read, const LoadedTable& base,
                             TableEncoding encoding, std::vector<BadTranslation>& bad) {
  TextsById texts;
  texts.reserve(read.size());
  for (const ReadTranslation& translation : read) {
    std::string text;
    BadTranslationReason reason;
    if (!base.file.Find(translation.id)) {
      reason = BadTranslationReason::kUnknownId;
    } else if (translation.text.find_first_of("|\t\r") != std::string::npos) {
      reason = BadTranslationReason::kHoldsBarOrTab;
    } else if (!AppendUtf8AsTableText(text, translation.text, encoding)) {
      reason = BadTranslationReason::kNotInCodePage;
    } else {
      texts[translation.id] = std::move(text);
      continue;
    }
    bad.push_back({translation.line, translation.id, reason});
  }
  return texts;
}

// `text` of a table in `from` as a table in `to` holds it; as it is when `to` can't.
std::string Reencode(std::string_view text, TableEncoding from, TableEncoding to) {
  if (from == to) {
    return std::string(text);
  }
  std::string converted;
  std::string utf8;
  AppendToUtf8(utf8, text, from);
  return AppendFromUtf8(converted, utf8, to) ? converted : std::string(text);
}

class TableComposer {
 public:
  TableComposer(const LoadedTable& base, const LoadedTable& language, const TextsById& imported,
                TableEncoding encoding, ImportReport& report)
      : base_(base),
        language_(language),
        imported_(imported),
        encoding_(encoding),
        report_(report) {}

  std::string Compose() {
    std::string out(encoding_ == TableEncoding::kUtf8WithBom ? kUtf8ByteOrderMark : "");
    for (const TableLine& line : base_.file.Lines()) {
      if (line.id.empty()) {
        out.append(Reencode(line.line, base_.encoding, encoding_)).append("\r\n");
        continue;
      }
      out.append(line.id).append("\t").append(TextFor(line)).append("\r\n");
    }
    for (const TableLine& line : language_.file.Lines()) {
      if (!line.id.empty() && !base_.file.Find(line.id)) {
        out.append(line.id).append("\t");
        out.append(Reencode(line.text, language_.encoding, encoding_)).append("\r\n");
      }
    }
    return out;
  }

 private:
  // Each ID is counted once, however many of the base table's lines hold it.
  std::string TextFor(const TableLine& line) {
    const bool first = counted_.insert(line.id).second;
    if (const auto found = imported_.find(line.id); found != imported_.end()) {
      report_.imported += first ? 1 : 0;
      return found->second;
    }
    if (const auto kept = language_.file.Find(line.id)) {
      report_.kept += first ? 1 : 0;
      return Reencode(*kept, language_.encoding, encoding_);
    }
    report_.untranslated += first ? 1 : 0;
    return Reencode(line.text, base_.encoding, encoding_);
  }

  const LoadedTable& base_;
  const LoadedTable& language_;
  const TextsById& imported_;
  TableEncoding encoding_;
  ImportReport& report_;
  std::unordered_set<std::string_view, AsciiCaseHash, AsciiCaseEqual> counted_;
};

IoError WriteTable(const std::string& path, const std::string& bytes,
                   const std::string& confined_to) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  FileReplacement replacement;
  if (IoError begun = replacement.Begin(path, platform::NewFileAccess::kOrdinary, confined_to);
      begun.Failed()) {
    return begun;
  }
  return replacement.Commit(
      platform::WriteToFile(replacement.Handle(), bytes.data(), bytes.size()));
}

}  // namespace

ImportReport ImportTranslations(const ImportOptions& options) {
  ImportReport report;
  std::string input;
  if (report.failure = ReadWholeFile(options.input_path, input); report.failure.Failed()) {
    return report;
  }
  const TranslationsRead read = ReadTranslations(input);
  if (!read.error.empty()) {
    report.input_error = read.error;
    report.input_error_line = read.error_line;
    return report;
  }
  const ProjectTable base_place = FindBaseTable(options.project_folder);
  LoadedTable base;
  LoadedTable language;
  report.language_table =
      options.table_path.empty()
          ? FindLanguageTable(options.project_folder, options.language, base_place).path
          : options.table_path;
  const TableEncoding code_page =
      options.encoding && *options.encoding != TableEncoding::kUtf8WithBom ? *options.encoding
                                                                           : options.code_page;
  if (report.failure = LoadTable(base_place.path, options.code_page, base);
      report.failure.Failed()) {
    return report;
  }
  if (report.failure = LoadTable(report.language_table, code_page, language);
      report.failure.Failed()) {
    return report;
  }
  report.encoding = options.encoding.value_or(language.exists ? language.encoding : base.encoding);
  const TextsById imported =
      EncodeTranslations(read.translations, base, report.encoding, report.bad);
  if (!report.bad.empty() && !options.skip_bad) {
    return report;
  }
  const std::string bytes =
      TableComposer(base, language, imported, report.encoding, report).Compose();
  // A table the user named may lie anywhere; the project's own must stay inside it.
  report.failure = WriteTable(report.language_table, bytes,
                              options.table_path.empty() ? options.project_folder : "");
  report.written = !report.failure.Failed();
  return report;
}

}  // namespace dwelvane

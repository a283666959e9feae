#include "translation/export_translations.h"

#include "dialogue/script_discovery.h"
#include "runtime/buffered_output.h"
#include "runtime/line_reader.h"
#include "runtime/program_paths.h"
#include "translation/loaded_tables.h"
#include "translation/po_merge.h"
#include "translation/project_tables.h"
#include "translation/script_records.h"
#include "translation/translation_entries.h"
#include "translation/translation_files.h"

namespace dwelvane {
namespace {

// The translator's file merged with the fresh catalog; false when it can't be read.
bool MergeIntoUpdate(const ExportOptions& options, PoCatalog& catalog, ExportReport& report) {
  std::string bytes;
  if (IoError error = ReadWholeFile(options.update_path, bytes); error.Failed()) {
    report.unreadable = error;
    return false;
  }
  PoCatalog translated;
  if (!ReadPo(bytes, translated, report.update_error)) {
    report.update_is_no_po = true;
    return false;
  }
  catalog = MergePo(translated, catalog);
  return true;
}

}  // namespace

CommandOutcome ExportTranslations(const ExportOptions& options, DialogueTable& records,
                                  Progress& progress, const CommandFeedback& feedback,
                                  ExportReport& report) {
  const ScanRules rules{.scripts = {.with_inc = options.include_inc},
                        .syntax = ScriptSyntax::kEngine,
                        .characters = true,
                        .aliases = options.aliases};
  ScanDialogue(options.project_folder, rules, options.walk, records, progress, feedback);
  EndFeedback(feedback);
  const ProjectTable base_place = FindBaseTable(options.project_folder);
  LoadedTable base;
  LoadedTable language;
  report.unreadable = LoadTable(base_place.path, options.code_page, base);
  if (!report.unreadable.Failed()) {
    const std::string language_path =
        options.table_path.empty()
            ? FindLanguageTable(options.project_folder, options.language, base_place).path
            : options.table_path;
    report.unreadable = LoadTable(language_path, options.code_page, language);
  }
  report.base_table = base.path;
  report.language_table = language.path;
  if (report.unreadable.Failed()) {
    return {};
  }
  const TranslationTables tables{base.file, base.encoding,
                                 language.exists ? &language.file : nullptr, language.encoding};
  const std::vector<ScriptRecords> scripts =
      GroupByScriptInNameOrder(records, options.project_folder);
  const auto count = [&](const TranslationEntry& entry) {
    ++report.entries;
    report.translated += entry.translation.empty() ? 0 : 1;
  };
  const PoMessage header =
      MakeTranslationHeader(ProjectFolderName(options.project_folder), options.language);
  if (!options.update_path.empty()) {
    PoCatalog catalog{{header}};
    ForEachTranslationEntry(records, scripts, tables, [&](const TranslationEntry& entry) {
      count(entry);
      FillTranslationMessage(catalog.messages.emplace_back(), entry);
    });
    if (!MergeIntoUpdate(options, catalog, report)) {
      return {};
    }
    BufferedOutput output(options.output);
    output.Buffer() = WritePo(catalog);
    return CommandOutcome::AfterWriting(output.Close());
  }
  BufferedOutput output(options.output);
  std::string& buffer = output.Buffer();
  PoMessage message;
  if (options.format == TranslationFormat::kCsv) {
    AppendTranslationCsvStart(buffer);
  } else {
    AppendPoMessage(buffer, header);
  }
  ForEachTranslationEntry(records, scripts, tables, [&](const TranslationEntry& entry) {
    count(entry);
    if (options.format == TranslationFormat::kCsv) {
      AppendTranslationCsvRow(buffer, entry);
    } else {
      FillTranslationMessage(message, entry);
      AppendPoMessage(buffer.append("\n"), message);
    }
    output.FlushWhenFull();
  });
  return CommandOutcome::AfterWriting(output.Close());
}

}  // namespace dwelvane

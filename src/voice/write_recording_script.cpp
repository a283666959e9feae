#include "voice/write_recording_script.h"

#include "dialogue/script_discovery.h"
#include "runtime/buffered_output.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"
#include "translation/loaded_tables.h"
#include "translation/project_tables.h"
#include "voice/recording_csv.h"
#include "voice/recording_page.h"

namespace dwelvane {
namespace {

// The roles --character names, in the order of all roles; the names no role has go to the
// report.
std::vector<RecordingRole> ChooseRoles(std::vector<RecordingRole> roles,
                                       const std::vector<std::string>& names,
                                       RecordingReport& report) {
  if (names.empty()) {
    return roles;
  }
  std::vector<bool> chosen(roles.size());
  for (const std::string& name : names) {
    bool found = false;
    for (std::size_t i = 0; i < roles.size(); ++i) {
      if (EqualIgnoringAsciiCase(roles[i].character, name)) {
        chosen[i] = found = true;
      }
    }
    if (!found) {
      report.unknown_characters.push_back(name);
    }
  }
  if (!report.unknown_characters.empty()) {
    for (const RecordingRole& role : roles) {
      report.known_characters.push_back(role.character);
    }
  }
  std::vector<RecordingRole> kept;
  for (std::size_t i = 0; i < roles.size(); ++i) {
    if (chosen[i]) {
      kept.push_back(std::move(roles[i]));
    }
  }
  return kept;
}

// The base table, and the language's when one is asked for; false when the report names why
// they can't serve.
bool LoadTables(const RecordingOptions& options, LoadedTable& base, LoadedTable& language,
                RecordingReport& report) {
  const ProjectTable base_place = FindBaseTable(options.project_folder);
  report.unreadable = LoadTable(base_place.path, options.code_page, base);
  if (report.unreadable.Failed() || options.language.empty()) {
    return !report.unreadable.Failed();
  }
  const std::string path =
      options.table_path.empty()
          ? FindLanguageTable(options.project_folder, options.language, base_place).path
          : options.table_path;
  report.unreadable = LoadTable(path, options.code_page, language);
  if (!report.unreadable.Failed() && !language.exists) {
    report.missing_language_table = path;
  }
  return !report.unreadable.Failed() && language.exists;
}

void WriteCsv(std::vector<RecordingRole>& roles, const RecordingLineMaker& maker,
              BufferedOutput& output) {
  std::string& buffer = output.Buffer();
  AppendRecordingCsvStart(buffer);
  RecordingLine line;
  for (RecordingRole& role : roles) {
    line.number = 0;
    for (const std::size_t record : role.records) {
      maker.Fill(line, record);
      ++line.number;
      role.words += line.words;
      role.recorded += line.recorded ? 1 : 0;
      AppendRecordingCsvRow(buffer, role.character, line);
      output.FlushWhenFull();
    }
  }
}

void WriteHtml(std::vector<RecordingRole>& roles, const RecordingLineMaker& maker,
               std::string_view project_name, BufferedOutput& output) {
  RecordingLine line;
  for (RecordingRole& role : roles) {
    for (const std::size_t record : role.records) {
      maker.Count(line, record);
      role.words += line.words;
      role.recorded += line.recorded ? 1 : 0;
    }
  }
  RecordingPage page(output.Buffer());
  page.Start(project_name, roles);
  for (std::size_t i = 0; i < roles.size(); ++i) {
    page.StartRole(roles[i], i);
    line.number = 0;
    for (const std::size_t record : roles[i].records) {
      maker.Fill(line, record);
      ++line.number;
      page.AddLine(line, SceneOrFolder(line.file));
      output.FlushWhenFull();
    }
    page.EndRole();
  }
  page.End();
}

}  // namespace

CommandOutcome WriteRecordingScript(const RecordingOptions& options, DialogueTable& records,
                                    Progress& progress, const CommandFeedback& feedback,
                                    RecordingReport& report) {
  const std::string root = ResolveProgramPath(EnsureTrailingSeparator(options.project_folder));
  ProjectFileIndex files;
  const ScanRules rules{.scripts = {.with_inc = options.include_inc},
                        .syntax = ScriptSyntax::kEngine,
                        .characters = true,
                        .aliases = options.aliases};
  ScanDialogue(options.project_folder, rules, options.walk, records, progress, feedback,
               [&](const WalkedFile& file) {
                 files.Add(std::string_view(file.path).substr(
                     file.path.starts_with(root) ? root.size() : 0));
               });
  EndFeedback(feedback);
  LoadedTable base;
  LoadedTable language;
  if (!LoadTables(options, base, language, report)) {
    return {};
  }
  const std::vector<ScriptRecords> scripts =
      GroupByScriptInNameOrder(records, options.project_folder);
  std::vector<RecordingRole> roles =
      ChooseRoles(GroupByCharacter(records, scripts), options.characters, report);
  if (!report.unknown_characters.empty()) {
    return {};
  }
  const RecordingSources sources{.base = base.file,
                                 .base_encoding = base.encoding,
                                 .language = language.exists ? &language.file : nullptr,
                                 .language_encoding = language.encoding,
                                 .audio_files = files,
                                 .audio_pattern = options.audio_pattern};
  const RecordingLineMaker maker(records, scripts, sources);
  BufferedOutput output(options.output);
  if (options.format == RecordingFormat::kCsv) {
    WriteCsv(roles, maker, output);
  } else {
    WriteHtml(roles, maker, ProjectFolderName(options.project_folder), output);
  }
  report.characters = roles.size();
  for (const RecordingRole& role : roles) {
    report.lines += role.records.size();
    report.recorded += role.recorded;
  }
  return CommandOutcome::AfterWriting(output.Close());
}

}  // namespace dwelvane

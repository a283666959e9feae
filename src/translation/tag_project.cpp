#include "translation/tag_project.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "dialogue/script_discovery.h"
#include "runtime/file_replacement.h"
#include "runtime/line_reader.h"
#include "runtime/path_separator.h"
#include "runtime/platform_file.h"
#include "runtime/replacement_batch.h"
#include "script/script_reader.h"
#include "script/text_reference.h"
#include "translation/id_insertion.h"
#include "translation/project_tables.h"
#include "translation/script_records.h"
#include "translation/string_table_file.h"
#include "translation/tag_planner.h"
#include "translation/unified_diff.h"

namespace dwelvane {
namespace {

// True when the script read now holds the lines the scan found in it.
bool HoldsScannedLines(const ScriptFacts& facts, const DialogueTable& records,
                       const ScriptRecords& group) {
  if (facts.spoken.size() != group.count) {
    return false;
  }
  for (std::size_t i = 0; i < group.count; ++i) {
    const SpokenLine& spoken = facts.spoken[i];
    const DialogueRecord& record = records.Record(group.first + i);
    const TextReference text =
        spoken.text.form == ValueForm::kText ? SplitReference(spoken.text.text) : TextReference{};
    if (spoken.line != record.ScriptLine || text.id != record.Reference ||
        text.fallback != record.Sentence) {
      return false;
    }
  }
  return true;
}

bool NeedsId(const SpokenLine& spoken) {
  return spoken.text.form == ValueForm::kText && !spoken.text.text.empty() &&
         !SplitReference(spoken.text.text).names_entry;
}

IoError ReplaceInProject(const std::string& path, const std::string& bytes,
                         const std::string& project_folder) {
  FileReplacement replacement;
  if (IoError begun = replacement.Begin(path, platform::NewFileAccess::kOrdinary, project_folder);
      begun.Failed()) {
    return begun;
  }
  return replacement.Commit(
      platform::WriteToFile(replacement.Handle(), bytes.data(), bytes.size()));
}

// A tagged script waiting in the batch: its entries go into the table once it is in place.
struct PendingScript {
  std::size_t lines = 0;
  std::vector<TableEntry> entries;
  std::string read;  // its bytes as they were read
};

class Tagger {
 public:
  Tagger(const TagOptions& options, DialogueTable& records, TagReport& report)
      : options_(options), records_(records), report_(report) {}

  void Scan(Progress& progress, const CommandFeedback& feedback) {
    const ScanRules rules{.scripts = {.with_inc = options_.include_inc},
                          .syntax = ScriptSyntax::kEngine,
                          .characters = options_.share_identical,
                          .aliases = options_.aliases,
                          .note_broken_literal = [&](const BrokenLiteralAt& broken) {
                            if (refused_.insert(broken.path).second) {
                              report_.left_alone.push_back(
                                  {broken.path, broken.line, LeftAloneReason::kBrokenLiteral, {}});
                            }
                          }};
    ScanDialogue(options_.project_folder, rules, options_.walk, records_, progress, feedback);
  }

  // False when the table can't be read.
  bool LoadTable() {
    const ProjectTable table = FindBaseTable(options_.project_folder);
    report_.table_path = table.path;
    table_is_new_ = !platform::EntryIsThere(table.path);
    if (!table_is_new_) {
      report_.failure = table_.Load(table.path);
      return !report_.failure.Failed();
    }
    return true;
  }

  void TagScripts() {
    const bool utf8 = table_is_new_ ? options_.new_table_encoding == TableEncoding::kUtf8WithBom
                                    : table_.HasByteOrderMark();
    TagPlanner planner(options_.prefix, options_.share_identical, table_, utf8);
    const std::vector<ScriptRecords> scripts =
        GroupByScriptInNameOrder(records_, options_.project_folder);
    for (const std::size_t unwritable : planner.NoteSaid(records_, scripts)) {
      const DialogueRecord& record = records_.Record(unwritable);
      report_.left_alone.push_back(
          {std::string(record.ScriptLocation) + std::string(record.ScriptName),
           record.ScriptLine,
           LeftAloneReason::kNotInCodePage,
           {}});
    }
    entries_ = planner.MissingEntries();
    for (const ScriptRecords& group : scripts) {
      if (refused_.contains(group.path) || !HasLineToTag(group)) {
        continue;
      }
      TagScript(group, planner);
      if (batch_.Full()) {
        CommitBatch();
      }
      if (report_.failure.Failed()) {
        return;
      }
    }
    CommitBatch();
    if (report_.failure.Failed()) {
      return;
    }
    ReplacementBatch::SyncMoves(options_.project_folder);
    WriteTable(entries_);
  }

 private:
  void TagScript(const ScriptRecords& group, TagPlanner& planner) {
    std::string bytes;
    if (IoError error = ReadWholeFile(group.path, bytes); error.Failed()) {
      report_.left_alone.push_back({group.path, 0, LeftAloneReason::kUnreadable, error});
      return;
    }
    ReadScript(bytes, facts_);
    if (!HoldsScannedLines(facts_, records_, group)) {
      report_.left_alone.push_back({group.path, 0, LeftAloneReason::kChangedSinceRead, {}});
      return;
    }
    std::vector<IdInsertion> insertions;
    std::vector<std::string> ids;
    ids.reserve(group.count);
    for (std::size_t i = 0; i < group.count; ++i) {
      const SpokenLine& spoken = facts_.spoken[i];
      if (!NeedsId(spoken)) {
        continue;
      }
      const DialogueRecord& record = records_.Record(group.first + i);
      auto id = planner.GiveId(record.Character, spoken.text.text, record.ScriptEncoding);
      if (!id) {
        report_.left_alone.push_back(
            {group.path, spoken.line, LeftAloneReason::kNotInCodePage, {}});
        continue;
      }
      ids.push_back(std::move(*id));
      insertions.push_back({spoken.text.offset, ids.back()});
    }
    if (insertions.empty()) {
      return;
    }
    const std::string tagged = InsertIds(bytes, insertions);
    PendingScript pending{insertions.size(), planner.TakeGivenEntries(), {}};
    if (options_.dry_run) {
      AppendUnifiedDiff(report_.diff, group.name, bytes, tagged);
      Count(pending);
      return;
    }
    report_.failure = batch_.Add(group.path, tagged, options_.project_folder);
    pending.read = std::move(bytes);
    pending_.emplace_back(group.path, std::move(pending));
  }

  // A line without an ID whose text may be a literal, as the scan saw it.
  bool HasLineToTag(const ScriptRecords& group) const {
    for (std::size_t i = group.first; i < group.first + group.count; ++i) {
      const DialogueRecord& record = records_.Record(i);
      if (record.Reference.empty() && !record.Sentence.empty()) {
        return true;
      }
    }
    return false;
  }

  // Puts the scripts written so far in place, each unless it changed since it was read.
  void CommitBatch() {
    std::vector<std::string> changed;
    const auto still_as_read = [&](const std::string& path) {
      std::string now;
      return !ReadWholeFile(path, now).Failed() && now == Pending(path).read;
    };
    if (IoError error = batch_.Commit(still_as_read, changed); error.Failed()) {
      report_.failure = error;
    }
    for (const std::string& path : changed) {
      report_.left_alone.push_back({path, 0, LeftAloneReason::kChangedSinceRead, {}});
      Pending(path).lines = 0;
    }
    for (auto& [path, pending] : pending_) {
      if (!report_.failure.Failed() && pending.lines > 0) {
        Count(pending);
      }
    }
    pending_.clear();
  }

  PendingScript& Pending(const std::string& path) {
    return std::find_if(pending_.begin(), pending_.end(),
                        [&](const auto& p) { return p.first == path; })
        ->second;
  }

  void Count(PendingScript& pending) {
    report_.lines_tagged += pending.lines;
    ++report_.scripts_changed;
    std::move(pending.entries.begin(), pending.entries.end(), std::back_inserter(entries_));
  }

  void WriteTable(const std::vector<TableEntry>& entries) {
    if (entries.empty()) {
      return;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    pairs.reserve(entries.size());
    for (const TableEntry& entry : entries) {
      pairs.emplace_back(entry.id, entry.text);
    }
    std::string bytes;
    if (table_is_new_) {
      if (options_.new_table_encoding == TableEncoding::kUtf8WithBom) {
        bytes.append(kUtf8ByteOrderMark);
      }
      for (const auto& [id, text] : pairs) {
        AppendTableEntry(bytes, id, text);
      }
    } else {
      bytes = AppendTableEntries(table_, pairs);
    }
    report_.entries_added = entries.size();
    if (options_.dry_run) {
      AppendUnifiedDiff(report_.diff, NameInProject(report_.table_path, options_.project_folder),
                        table_is_new_ ? std::string_view{} : table_.Bytes(), bytes);
      return;
    }
    if (table_is_new_) {
      std::error_code ignored;
      std::filesystem::create_directories(std::filesystem::path(report_.table_path).parent_path(),
                                          ignored);
    }
    report_.failure = ReplaceInProject(report_.table_path, bytes, options_.project_folder);
  }

  const TagOptions& options_;
  DialogueTable& records_;
  TagReport& report_;
  StringTableFile table_;
  bool table_is_new_ = false;
  std::set<std::string> refused_;  // scripts with a literal the engine refuses
  ScriptFacts facts_;
  ReplacementBatch batch_;
  std::vector<std::pair<std::string, PendingScript>> pending_;  // in the batch's order
  std::vector<TableEntry> entries_;
};

}  // namespace

TagReport TagProject(const TagOptions& options, DialogueTable& records, Progress& progress,
                     const CommandFeedback& feedback) {
  TagReport report;
  Tagger tagger(options, records, report);
  tagger.Scan(progress, feedback);
  if (tagger.LoadTable()) {
    tagger.TagScripts();
  }
  EndFeedback(feedback);
  return report;
}

}  // namespace dwelvane

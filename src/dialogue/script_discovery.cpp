#include "dialogue/script_discovery.h"

#include <optional>

#include "dialogue/engine_script_scan.h"
#include "dialogue/project_packages.h"
#include "dialogue/resolve_characters.h"
#include "dialogue/script_file_scan.h"
#include "runtime/line_reader.h"
#include "runtime/project_file.h"
#include "runtime/recorded_walk.h"
#include "runtime/text_operations.h"

namespace dwelvane {

bool ScriptFiles::Holds(std::string_view name) const {
  return EndsWithLowered(name, ".script") || (with_inc && EndsWithLowered(name, ".inc"));
}

namespace {

// The engine's syntax, and the characters in any, need scripts read whole.
bool ReadsWhole(const ScanRules& rules) {
  return rules.syntax == ScriptSyntax::kEngine || rules.characters;
}

// Reads each listed script in the syntax asked for, keeping what the characters need.
class ScriptScan {
 public:
  ScriptScan(const std::string& folder, const ScanRules& rules, DialogueTable& table,
             const CommandFeedback& feedback)
      : rules_(rules),
        table_(table),
        paths_(folder,
               ReadsWhole(rules) ? ReadPackageFolders(folder) : std::vector<std::string>{}) {
    reader_.TrackEncoding();
    if (ReadsWhole(rules)) {
      engine_.emplace(paths_, table, rules.characters ? &facts_ : nullptr, feedback.note_skipped,
                      rules.note_broken_literal);
    }
  }

  // Sees every file the walk meets: the engine looks up included and definition files.
  void See(const WalkedFile& file) {
    if (engine_ && IsScriptOrDefinitionFile(file.name)) {
      paths_.Add(file);
    }
    if (rules_.characters && IsDefinitionFile(file.name)) {
      sources_.definition_files.push_back(file.path);
    }
  }

  IoError Scan(const WalkedFile& file) {
    if (rules_.syntax == ScriptSyntax::kEngine) {
      return engine_->ScanScript(file);
    }
    const std::size_t first = table_.DialogueCount;
    IoError error = ScanScriptFile(file, table_, reader_);
    if (!error.Failed() && rules_.characters) {
      NoteLineSpeakers(file, first);
    }
    return error;
  }

  void ResolveCharactersIfAsked(const CommandFeedback& feedback) {
    if (rules_.characters) {
      sources_.aliases = rules_.aliases;
      ResolveCharacters(table_, facts_, paths_, sources_, feedback.note_skipped);
    }
  }

 private:
  // The speaker a line's fixed cuts give is read as the receiver of a call.
  void NoteLineSpeakers(const WalkedFile& file, std::size_t first) {
    IoError unread;
    const std::size_t script = engine_->ReadFacts(file, unread);
    for (std::size_t i = first; i < table_.DialogueCount; ++i) {
      facts_.NoteSpeaker(i, script, ReadExpression(receiver_, table_.Record(i).Speaker));
    }
  }

  const ScanRules& rules_;
  DialogueTable& table_;
  ProjectPaths paths_;
  LineReader reader_;
  CharacterFacts facts_;
  CharacterSources sources_;
  ScriptTokens receiver_;
  std::optional<EngineScriptScan> engine_;
};

void ScanListedScripts(const RecordedWalk& scripts, ScriptScan& scan, DialogueTable& table,
                       Progress& progress, const CommandFeedback& feedback) {
  const auto scan_file = [&](const WalkedFile& file) {
    if (const IoError error = scan.Scan(file); error.Failed()) {
      if (VanishedSinceTheWalk(file)) {
        return;
      }
      feedback.note_skipped(error);
    }
    ++table.ScriptCount;
    ++progress.ProgressCount;
    SetProgress(progress, feedback);
  };
  scripts.Replay({scan_file, feedback.yield, feedback.note_skipped, feedback.cancelled});
}

}  // namespace

void ScanDialogue(const std::string& folder, const ScanRules& rules, WalkRules walk,
                  DialogueTable& table, Progress& progress, const CommandFeedback& feedback,
                  const FileObserver& see_file) {
  table.Clear();
  progress.ProgressCount = 0;
  ScriptScan scan(folder, rules, table, feedback);
  // One walk lists the scripts and shows the other files to `see_file`, so that no folder
  // is listed twice.
  RecordedWalk listed;
  const auto keep_script = [&](const WalkedFile& file) {
    if (see_file) {
      see_file(file);
    }
    if (IsProjectFileName(file.name)) {
      feedback.note_project_file(file.path);
    }
    scan.See(file);
    return rules.scripts.Holds(file.name);
  };
  listed.Record(folder, walk, keep_script, feedback.yield, feedback.cancelled);
  if (feedback.cancelled()) {
    return;
  }
  progress.ProgressTotal = static_cast<std::int64_t>(listed.FileCount());
  feedback.enter_stage(Stage::kScanningScripts);
  ScanListedScripts(listed, scan, table, progress, feedback);
  if (!feedback.cancelled()) {
    scan.ResolveCharactersIfAsked(feedback);
  }
}

}  // namespace dwelvane

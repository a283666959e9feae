#include "dialogue/engine_script_scan.h"

#include <algorithm>

#include "runtime/line_reader.h"
#include "runtime/out_of_memory.h"
#include "runtime/path_separator.h"
#include "runtime/text_encoding.h"
#include "script/text_reference.h"

namespace dwelvane {
namespace {

// Includes nest no deeper in any real project; a deeper chain is read no further.
constexpr std::size_t kDeepestInclude = 32;

constexpr std::size_t kGatheredScript = 1 << 20;

// The direction noted on `line`, if any; `directions` are in line order.
std::string_view DirectionOn(const std::vector<LineDirection>& directions, std::int64_t line) {
  const auto found = std::lower_bound(
      directions.begin(), directions.end(), line,
      [](const LineDirection& direction, std::int64_t wanted) { return direction.line < wanted; });
  return found != directions.end() && found->line == line ? found->text : std::string_view{};
}

}  // namespace

struct EngineScriptScan::Level {
  Level() { lines.TrackEncoding(); }

  LineReader lines;
  std::string gathered;
  ScriptReader script;
  ScriptFacts facts;
  SourceEncoding encoding = SourceEncoding::kAscii;
  std::vector<std::size_t> included_scripts;
};

EngineScriptScan::EngineScriptScan(ProjectPaths& paths, DialogueTable& table, CharacterFacts* facts,
                                   std::function<void(const IoError&)> note_skipped,
                                   BrokenLiteralNote note_broken)
    : paths_(paths),
      table_(table),
      facts_(facts),
      note_skipped_(std::move(note_skipped)),
      note_broken_(std::move(note_broken)) {}

EngineScriptScan::~EngineScriptScan() = default;

IoError EngineScriptScan::ScanScript(const WalkedFile& script) {
  return WhileReading(script.path, [&] { return ReadFile(script.path, &script, 0, true); });
}

std::size_t EngineScriptScan::ReadFacts(const WalkedFile& script, IoError& error) {
  error = WhileReading(script.path, [&] { return ReadFile(script.path, &script, 0, false); });
  return paths_.Number(script.path);
}

IoError EngineScriptScan::ReadFile(const std::string& path, const WalkedFile* walked,
                                   std::size_t depth, bool append_records) {
  const std::size_t number = paths_.Number(path);
  if (depth >= kDeepestInclude || !paths_.MarkRead(number)) {
    return {};
  }
  if (levels_.size() <= depth) {
    levels_.push_back(std::make_unique<Level>());
  }
  Level& level = *levels_[depth];
  if (IoError error = ReadFacts(path, walked, level); error.Failed()) {
    return error;
  }
  ReadIncludes(level, depth, append_records);
  if (facts_ != nullptr) {
    facts_->NoteScript(number, level.facts, level.included_scripts);
  }
  if (!append_records) {
    return {};
  }
  AppendRecords(path, level, number);
  for (const BrokenLiteral& broken : level.facts.broken) {
    if (note_broken_) {
      note_broken_({path, broken.line, broken.too_long});
    }
  }
  return {};
}

// Reads the script in runs of lines, so that memory stays flat whatever its lines.
IoError EngineScriptScan::ReadFacts(const std::string& path, const WalkedFile* walked,
                                    Level& level) {
  if (IoError opened =
          walked != nullptr ? level.lines.FileOpenRead(*walked) : level.lines.FileOpenRead(path);
      opened.Failed()) {
    return opened;
  }
  // A script is gathered whole up to kGatheredScript, so that the reader needn't keep the
  // tokens of a run that goes before the script ends; a longer one goes run by run.
  level.script.Start(level.facts);
  level.gathered.clear();
  bool piece = false;
  for (std::string_view run; !(run = level.lines.FileReadLineRunOrPiece(piece)).empty();) {
    if (!piece && level.gathered.size() + run.size() <= kGatheredScript) {
      level.gathered.append(run);
      continue;
    }
    if (!level.gathered.empty()) {
      level.script.Read(level.gathered);
      level.gathered.clear();
    }
    level.script.Read(run, piece);
  }
  level.script.Finish(level.gathered);
  IoError error = level.lines.FileReadError();
  level.encoding = level.lines.FileEncoding();
  level.lines.FileClose();
  return error;
}

void EngineScriptScan::ReadIncludes(Level& level, std::size_t depth, bool append_records) {
  level.included_scripts.clear();
  for (const ScriptInclude& include : level.facts.includes) {
    const std::string file = paths_.Find(include.file);
    if (file.empty()) {
      continue;
    }
    if (facts_ != nullptr) {
      level.included_scripts.push_back(paths_.Number(file));
    }
    if (const IoError error = ReadFile(file, nullptr, depth + 1, append_records); error.Failed()) {
      note_skipped_(error);
    }
  }
}

void EngineScriptScan::AppendRecords(const std::string& path, const Level& level,
                                     std::size_t script) {
  const std::vector<SpokenLine>& spoken = level.facts.spoken;
  if (spoken.empty()) {
    return;
  }
  const std::size_t separator = path.rfind(kPathSeparator);
  const std::size_t name_start = separator == std::string::npos ? 0 : separator + 1;
  const std::string_view location = table_.StoreText(std::string_view(path).substr(0, name_start));
  const std::string_view name = table_.StoreText(std::string_view(path).substr(name_start));
  const SourceEncoding encoding = level.encoding;
  const std::size_t first = table_.DialogueCount;
  for (const SpokenLine& line : spoken) {
    const TextReference text =
        line.text.form == ValueForm::kText ? SplitReference(line.text.text) : TextReference{};
    // A choice no talk call says has no speaker: the check names it.
    const bool said = line.kind == LineKind::kChoice && line.said_by >= 0;
    const std::string_view receiver =
        said ? spoken[static_cast<std::size_t>(line.said_by)].receiver : line.receiver;
    DialogueRecord& record = table_.AppendRecord();
    record.ScriptLocation = location;
    record.ScriptName = name;
    record.ScriptLine = line.line;
    record.Speaker = table_.StoreText(receiver);
    record.Reference = table_.StoreText(text.id);
    record.Translation = {};
    record.Sentence = table_.StoreText(text.fallback);
    record.AudioFile = table_.StoreText(line.audio);
    record.Character = {};
    const std::string_view direction = DirectionOn(level.facts.directions, line.line);
    record.Direction = direction.empty() ? direction : table_.StoreText(direction);
    record.Kind = line.kind;
    record.ScriptEncoding = encoding;
    if (facts_ == nullptr) {
      continue;
    }
    const std::size_t index = table_.DialogueCount - 1;
    if (said) {
      facts_->NoteChoice(index, first + static_cast<std::size_t>(line.said_by));
    } else if (line.kind != LineKind::kChoice) {
      facts_->NoteSpeaker(index, script, line.speaker);
    }
  }
}

}  // namespace dwelvane

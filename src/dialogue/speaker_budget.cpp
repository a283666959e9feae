#include "dialogue/speaker_budget.h"

#include <algorithm>
#include <unordered_map>

#include "runtime/keyed_hash.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

bool IsWordBreak(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Speaker names come from the project: a keyed hash keeps chosen names from sharing a bucket.
struct SpeakerNameHash {
  std::size_t operator()(const std::string& name) const {
    return static_cast<std::size_t>(KeyedHash(name, HashFold::kNone));
  }
};

void Add(SpeakerBudget& budget, const DialogueRecord& record, std::int64_t words, bool recorded) {
  const bool with_audio = !record.AudioFile.empty();
  budget.lines_recorded += recorded ? 1 : 0;
  budget.words_recorded += recorded ? words : 0;
  ++budget.lines;
  budget.words += words;
  budget.lines_with_audio += with_audio ? 1 : 0;
  budget.lines_without_audio += with_audio ? 0 : 1;
  budget.words_with_audio += with_audio ? words : 0;
}

}  // namespace

std::int64_t CountWords(std::string_view sentence) {
  std::int64_t words = 0;
  bool in_word = false;
  for (const char c : sentence) {
    const bool breaks = IsWordBreak(c);
    words += !breaks && !in_word ? 1 : 0;
    in_word = !breaks;
  }
  return words;
}

std::vector<SpeakerBudget> CountSpeakerBudgets(const DialogueTable& table, bool as_utf8,
                                               bool by_character, const ProjectFileIndex* files) {
  std::vector<SpeakerBudget> budgets;
  std::unordered_map<std::string, std::size_t, SpeakerNameHash> index;
  SpeakerBudget total{.speaker = "total"};
  std::string name;
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    const DialogueRecord& record = table.Record(i);
    name.clear();
    const std::string_view trimmed = TrimBlanks(by_character ? record.Character : record.Speaker);
    if (as_utf8) {
      AppendAsUtf8(name, trimmed, record.ScriptEncoding);
    } else {
      name.assign(trimmed);
    }
    const auto [found, added] = index.try_emplace(name, budgets.size());
    if (added) {
      budgets.push_back({.speaker = name});
    }
    const std::int64_t words = CountWords(record.Sentence);
    const bool recorded =
        files != nullptr && !record.AudioFile.empty() && files->Contains(record.AudioFile);
    Add(budgets[found->second], record, words, recorded);
    Add(total, record, words, recorded);
  }
  std::sort(budgets.begin(), budgets.end(), [](const SpeakerBudget& a, const SpeakerBudget& b) {
    return a.words != b.words ? a.words > b.words : a.speaker < b.speaker;
  });
  budgets.push_back(std::move(total));
  return budgets;
}

}  // namespace dwelvane

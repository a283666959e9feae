// The command line's parser and its option values against what they promise: parsed
// options are known ones, flags have no value, a choice is spelled as its option spells
// it, and the words written back from a parse parse the same; --columns ticks exactly the
// keywords listed; --separator turns each "\t" into a tab; SOURCE_DATE_EPOCH takes whole
// seconds up to the end of 9999, and its date is the civil date of those seconds.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/command_table.h"
#include "cli/option_values.h"
#include "fuzz_support.h"
#include "runtime/date_time.h"

using namespace dwelvane;

namespace {

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  for (std::size_t start = 0;;) {
    const std::size_t zero = text.find('\0', start);
    words.emplace_back(text.substr(start, zero - start));
    if (zero == std::string_view::npos) {
      return words;
    }
    start = zero + 1;
  }
}

const OptionEntry* FindOption(std::span<const OptionEntry> known, std::string_view name) {
  for (const OptionEntry& option : known) {
    if (option.name == name) {
      return &option;
    }
  }
  return nullptr;
}

void CheckParse(const CommandEntry& command, const std::vector<std::string>& words) {
  std::string error;
  const auto parsed = ParseCommandArguments(words, command.options, command.takes_project, error);
  if (!parsed) {
    if (error.empty()) {
      __builtin_trap();
    }
    return;
  }
  if (parsed->project && !command.takes_project) {
    __builtin_trap();
  }
  std::vector<std::string> again;
  for (const auto& [name, value] : parsed->options) {
    const OptionEntry* option = FindOption(command.options, name);
    if (option == nullptr || (!option->TakesValue() && !value.empty())) {
      __builtin_trap();
    }
    if (option->TakesOneOfChoices() &&
        std::find(option->choices.begin(), option->choices.end(), value) == option->choices.end()) {
      __builtin_trap();
    }
    again.push_back("--" + name + (option->TakesValue() ? "=" + value : std::string()));
  }
  if (parsed->project) {
    // After "--", a project may begin with a dash.
    if (parsed->project->starts_with("-")) {
      again.push_back("--");
    }
    again.push_back(*parsed->project);
  }
  std::string again_error;
  const auto reparsed =
      ParseCommandArguments(again, command.options, command.takes_project, again_error);
  if (!reparsed || reparsed->options != parsed->options || reparsed->project != parsed->project) {
    __builtin_trap();
  }
}

std::string_view TrimmedOfSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') {
    text.remove_prefix(1);
  }
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  return text;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

void CheckColumns(std::string_view list) {
  DialogueColumns expected;
  for (const DialogueColumn& column : kDialogueColumns) {
    expected.*column.tick = false;
  }
  bool valid = !TrimmedOfSpaces(list).empty();
  for (std::size_t start = 0; valid;) {
    const std::size_t comma = list.find(',', start);
    const std::string_view word = TrimmedOfSpaces(list.substr(start, comma - start));
    bool known = false;
    for (const DialogueColumn& column : kDialogueColumns) {
      if (SameIgnoringAsciiCase(column.keyword, word)) {
        expected.*column.tick = known = true;
      }
    }
    valid = known;
    if (comma == std::string_view::npos) {
      break;
    }
    start = comma + 1;
  }
  std::string error;
  const auto columns = ParseColumns(list, error);
  if (columns.has_value() != valid || (!valid && error.empty())) {
    __builtin_trap();
  }
  for (const DialogueColumn& column : kDialogueColumns) {
    if (columns && (*columns).*column.tick != expected.*column.tick) {
      __builtin_trap();
    }
  }
}

void CheckSeparator(const std::string& text) {
  std::string expected;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 't') {
      expected.push_back('\t');
      ++i;
    } else {
      expected.push_back(text[i]);
    }
  }
  if (ParseSeparator(text) != expected) {
    __builtin_trap();
  }
}

// Days from 1970-01-01 to a civil date (H. Hinnant's days_from_civil).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CheckEpoch(std::string_view text) {
  constexpr std::int64_t kLastSecond = 253402300799;
  std::int64_t expected = text.empty() ? -1 : 0;
  for (const char c : text) {
    if (c < '0' || c > '9' || expected > kLastSecond) {
      expected = -1;
      break;
    }
    expected = expected * 10 + (c - '0');
  }
  const bool valid = expected >= 0 && expected <= kLastSecond;
  const auto seconds = ParseEpochSeconds(text);
  if (seconds.has_value() != valid || (valid && *seconds != expected)) {
    __builtin_trap();
  }
  if (!valid) {
    return;
  }
  const DateTime date = DateFromEpochSeconds(*seconds);
  const std::int64_t back =
      DaysFromCivil(date.year, static_cast<unsigned>(date.month), static_cast<unsigned>(date.day)) *
          86400 +
      date.hour * 3600 + date.minute * 60 + date.second;
  if (back != *seconds || date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31 ||
      date.hour > 23 || date.minute > 59 || date.second > 59) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  const auto commands = Commands();
  const CommandEntry& command = *commands[data[0] % commands.size()];
  const std::vector<std::string> words = SplitWords(fuzz::AsText(data + 1, size - 1));
  CheckParse(command, words);
  for (const std::string& word : words) {
    CheckColumns(word);
    CheckSeparator(word);
    CheckEpoch(word);
  }
  return 0;
}

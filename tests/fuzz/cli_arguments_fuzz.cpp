// The command line's parser on any words: it takes them or says why; it takes only the
// options the command knows, a flag without a value, a choice as its option spells it; and
// the words written back from what it took read the same. The option values: --columns
// takes a list or says why; a separator without "\t" stays as it is; SOURCE_DATE_EPOCH takes
// exactly the digits up to the last second of 9999, whose dates run on by one second.
#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/command_table.h"
#include "cli/option_values.h"
#include "fuzz_support.h"
#include "runtime/date_time.h"

using namespace dwelvane;

namespace {

void CheckParse(const CommandEntry& command, const std::vector<std::string>& words) {
  std::string error;
  const auto parsed = ParseCommandArguments(words, command.options, command.takes_project, error);
  if (!parsed) {
    if (error.empty()) {
      __builtin_trap();
    }
    return;
  }
  std::vector<std::string> again;
  for (const auto& [taken, value] : parsed->options) {
    const std::string& name = taken;
    const auto option = std::find_if(command.options.begin(), command.options.end(),
                                     [&](const OptionEntry& known) { return known.name == name; });
    if (option == command.options.end() || (!option->TakesValue() && !value.empty()) ||
        (option->TakesOneOfChoices() && std::find(option->choices.begin(), option->choices.end(),
                                                  value) == option->choices.end())) {
      __builtin_trap();
    }
    again.push_back("--" + name + (option->TakesValue() ? "=" + value : std::string()));
  }
  if (parsed->project) {
    // After "--", a project may begin with a dash.
    again.insert(again.end(), {"--", *parsed->project});
  }
  const auto reparsed = ParseCommandArguments(again, command.options, command.takes_project, error);
  if ((parsed->project && !command.takes_project) || !reparsed ||
      reparsed->options != parsed->options || reparsed->project != parsed->project) {
    __builtin_trap();
  }
}

void CheckEpoch(const std::string& text) {
  constexpr std::int64_t kLastSecond = 253402300799;
  const std::size_t first = std::min(text.find_first_not_of('0'), text.size() - 1);
  const bool digits = !text.empty() && text.size() - first <= 12 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  const auto seconds = ParseEpochSeconds(text);
  if (seconds.has_value() != (digits && std::stoll(text.substr(first)) <= kLastSecond)) {
    __builtin_trap();
  }
  if (!seconds || *seconds == kLastSecond) {
    return;
  }
  const DateTime d = DateFromEpochSeconds(*seconds);
  const DateTime next = DateFromEpochSeconds(*seconds + 1);
  if (d.year < 1970 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 || d.hour > 23 ||
      d.minute > 59 || d.second > 59 || next.second != (d.second + 1) % 60 ||
      std::tie(d.year, d.month, d.day, d.hour, d.minute, d.second) >=
          std::tie(next.year, next.month, next.day, next.hour, next.minute, next.second)) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  const auto commands = Commands();
  std::vector<std::string> words(1);
  for (const char c : fuzz::AsText(data + 1, size - 1)) {
    if (c == '\0') {
      words.emplace_back();
    } else {
      words.back().push_back(c);
    }
  }
  CheckParse(*commands[data[0] % commands.size()], words);
  for (const std::string& word : words) {
    std::string error;
    if ((!ParseColumns(word, error) && error.empty()) ||
        (word.find("\\t") == std::string::npos && SeparatorFromText(word) != word)) {
      __builtin_trap();
    }
    CheckEpoch(word);
  }
  return 0;
}

#include "cli/cli_arguments.h"

#include <algorithm>
#include <vector>

#include "cli/closest_name.h"
#include "runtime/text_operations.h"

namespace dwelvane {

std::optional<std::string> CommandArguments::Option(std::string_view name) const {
  const auto found = options.find(name);
  if (found == options.end()) {
    return std::nullopt;
  }
  return found->second;
}

std::vector<std::string> CommandArguments::Values(std::string_view name) const {
  const auto found = repeated.find(name);
  return found == repeated.end() ? std::vector<std::string>{} : found->second;
}

std::optional<std::size_t> CommandArguments::Choice(
    std::string_view name, std::span<const std::string_view> choices) const {
  const auto value = Option(name);
  if (!value) {
    return std::nullopt;
  }
  return std::find(choices.begin(), choices.end(), *value) - choices.begin();
}

std::string ValuePlaceholder(const OptionEntry& option) {
  if (!option.TakesOneOfChoices()) {
    return std::string(option.value);
  }
  std::string placeholder;
  for (const std::string_view choice : option.choices) {
    placeholder.append(placeholder.empty() ? "" : "|").append(choice);
  }
  return placeholder;
}

namespace {

std::string UnknownOptionMessage(const std::string& option, std::span<const OptionEntry> known) {
  std::vector<std::string> spelled;
  for (const OptionEntry& option : known) {
    spelled.push_back("--" + std::string(option.name));
  }
  const std::vector<std::string_view> names(spelled.begin(), spelled.end());
  const auto meant = FindClosestName(option, names);
  return "unknown option '" + option + "'" +
         (meant ? "; did you mean '" + std::string(*meant) + "'?" : std::string());
}

// "--format takes text, csv or html, not 'pdf'".
std::string WrongChoiceMessage(const OptionEntry& option, const std::string& value) {
  std::string message = "--" + std::string(option.name) + " takes ";
  for (std::size_t i = 0; i < option.choices.size(); ++i) {
    message.append(i == 0                          ? ""
                   : i + 1 < option.choices.size() ? ", "
                                                   : " or ")
        .append(option.choices[i]);
  }
  return message + ", not '" + value + "'";
}

// The value as the option spells it; nothing, and the reason in `error`, when it takes
// other values.
std::optional<std::string> AcceptValue(const OptionEntry& option, const std::string& value,
                                       std::string& error) {
  if (!option.TakesOneOfChoices()) {
    return value;
  }
  for (const std::string_view choice : option.choices) {
    if (EqualIgnoringAsciiCase(choice, value)) {
      return std::string(choice);
    }
  }
  error = WrongChoiceMessage(option, value);
  return std::nullopt;
}

class ArgumentParser {
 public:
  ArgumentParser(std::span<const std::string> words, std::span<const OptionEntry> known,
                 bool takes_project, bool takes_file)
      : words_(words), known_(known), takes_project_(takes_project), takes_file_(takes_file) {}

  std::optional<CommandArguments> Parse(std::string& error) {
    bool options_ended = false;
    for (next_ = 0; next_ < words_.size();) {
      const std::string& word = words_[next_++];
      if (!options_ended && word == "--") {
        options_ended = true;
      } else if (!options_ended && word.size() > 1 && word.front() == '-') {
        if (!TakeOption(word, error)) {
          return std::nullopt;
        }
      } else if (takes_file_ && !parsed_.file) {
        parsed_.file = word;
      } else if (!TakeProject(word, error)) {
        return std::nullopt;
      }
    }
    if (takes_file_ && !parsed_.file) {
      error = "the FILE to read is missing";
      return std::nullopt;
    }
    return std::move(parsed_);
  }

 private:
  bool TakeOption(const std::string& word, std::string& error) {
    const std::size_t equals = word.find('=');
    const std::string_view name =
        std::string_view(word).substr(0, equals).substr(word.starts_with("--") ? 2 : 1);
    const auto option = std::find_if(known_.begin(), known_.end(),
                                     [&](const OptionEntry& known) { return known.name == name; });
    if (!word.starts_with("--") || option == known_.end()) {
      error = UnknownOptionMessage(word.substr(0, equals), known_);
      return false;
    }
    if (!option->TakesValue()) {
      if (equals != std::string::npos) {
        error = "option '--" + std::string(name) + "' takes no value";
        return false;
      }
      parsed_.options[std::string(name)];
      return true;
    }
    if (equals == std::string::npos && next_ == words_.size()) {
      error = "option '--" + std::string(name) + "' needs a value";
      return false;
    }
    const auto value = AcceptValue(
        *option, equals != std::string::npos ? word.substr(equals + 1) : words_[next_++], error);
    if (value) {
      parsed_.options[std::string(name)] = *value;
      if (option->repeats) {
        parsed_.repeated[std::string(name)].push_back(*value);
      }
    }
    return value.has_value();
  }

  bool TakeProject(const std::string& word, std::string& error) {
    if (!takes_project_) {
      error = "unexpected word '" + word + "'; the command takes no PROJECT";
      return false;
    }
    if (parsed_.project) {
      error = "more than one project folder given ('" + *parsed_.project + "' and '" + word + "')";
      return false;
    }
    parsed_.project = word;
    return true;
  }

  std::span<const std::string> words_;
  std::span<const OptionEntry> known_;
  bool takes_project_;
  bool takes_file_;
  std::size_t next_ = 0;
  CommandArguments parsed_;
};

}  // namespace

bool AsksForHelp(std::span<const std::string> words) {
  for (const std::string& word : words) {
    if (word == "--") {
      return false;
    }
    if (word == "-h" || word == "--help") {
      return true;
    }
  }
  return false;
}

std::optional<CommandArguments> ParseCommandArguments(std::span<const std::string> words,
                                                      std::span<const OptionEntry> known,
                                                      bool takes_project, std::string& error,
                                                      bool takes_file) {
  return ArgumentParser(words, known, takes_project, takes_file).Parse(error);
}

}  // namespace dwelvane

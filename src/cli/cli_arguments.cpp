#include "cli/cli_arguments.h"

#include <algorithm>
#include <vector>

#include "cli/closest_name.h"

namespace dwelvane {

std::optional<std::string> CommandArguments::Option(std::string_view name) const {
  const auto found = options.find(name);
  if (found == options.end()) {
    return std::nullopt;
  }
  return found->second;
}

namespace {

std::string UnknownOptionMessage(const std::string& option, std::span<const OptionSpec> known) {
  std::vector<std::string> spelled;
  for (const OptionSpec& option : known) {
    spelled.push_back("--" + std::string(option.name));
  }
  const std::vector<std::string_view> names(spelled.begin(), spelled.end());
  const auto meant = FindClosestName(option, names);
  return "unknown option '" + option + "'" +
         (meant ? "; did you mean '" + std::string(*meant) + "'?" : std::string());
}

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
                                                      std::span<const OptionSpec> known,
                                                      std::string& error) {
  CommandArguments parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!options_ended && word == "--") {
      options_ended = true;
    } else if (!options_ended && word.size() > 1 && word.front() == '-') {
      const std::size_t equals = word.find('=');
      const std::string_view name =
          std::string_view(word).substr(0, equals).substr(word.starts_with("--") ? 2 : 1);
      const auto option =
          std::find_if(known.begin(), known.end(),
                       [&](const OptionSpec& known_option) { return known_option.name == name; });
      if (!word.starts_with("--") || option == known.end()) {
        error = UnknownOptionMessage(word.substr(0, equals), known);
        return std::nullopt;
      }
      if (!option->takes_value) {
        if (equals != std::string::npos) {
          error = "option '--" + std::string(name) + "' takes no value";
          return std::nullopt;
        }
        parsed.options[std::string(name)];
      } else if (equals != std::string::npos) {
        parsed.options[std::string(name)] = word.substr(equals + 1);
      } else if (i + 1 < words.size()) {
        parsed.options[std::string(name)] = words[++i];
      } else {
        error = "option '--" + std::string(name) + "' needs a value";
        return std::nullopt;
      }
    } else if (parsed.project) {
      error = "more than one project folder given ('" + *parsed.project + "' and '" + word + "')";
      return std::nullopt;
    } else {
      parsed.project = word;
    }
  }
  return parsed;
}

}  // namespace dwelvane

#include "cli/cli_arguments.h"

#include <algorithm>

namespace dwelvane {

std::optional<std::string> CommandArguments::Option(std::string_view name) const {
  const auto found = options.find(name);
  if (found == options.end()) {
    return std::nullopt;
  }
  return found->second;
}

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
                                                      std::span<const std::string_view> known,
                                                      std::string& error) {
  CommandArguments parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!options_ended && word == "--") {
      options_ended = true;
    } else if (!options_ended && word.starts_with("--")) {
      const std::size_t equals = word.find('=');
      const std::string name = word.substr(2, equals == std::string::npos ? equals : equals - 2);
      if (std::find(known.begin(), known.end(), name) == known.end()) {
        error = "unknown option '--" + name + "'";
        return std::nullopt;
      }
      if (equals != std::string::npos) {
        parsed.options[name] = word.substr(equals + 1);
      } else if (i + 1 < words.size()) {
        parsed.options[name] = words[++i];
      } else {
        error = "option '--" + name + "' needs a value";
        return std::nullopt;
      }
    } else if (!options_ended && word.size() > 1 && word.front() == '-') {
      error = "unknown option '" + word + "'";
      return std::nullopt;
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

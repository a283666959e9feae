#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

// The words after the command: options with a value ("--name VALUE" or "--name=VALUE")
// and at most one PROJECT.
struct CommandArguments {
  std::map<std::string, std::string, std::less<>> options;
  std::optional<std::string> project;

  std::optional<std::string> Option(std::string_view name) const;
};

// Parses `words` against the option names the command knows; on a mistake returns
// nothing and puts the reason into `error`.
std::optional<CommandArguments> ParseCommandArguments(std::span<const std::string> words,
                                                      std::span<const std::string_view> known,
                                                      std::string& error);

bool AsksForHelp(std::span<const std::string> words);

}  // namespace dwelvane

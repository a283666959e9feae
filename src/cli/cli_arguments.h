#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dwelvane {

// An option a command knows: "--name VALUE" / "--name=VALUE", or a flag "--name".
struct OptionSpec {
  std::string_view name;  // without the dashes
  bool takes_value = true;
};

// The words after the command: its options (a flag's value is empty) and at most one
// PROJECT.
struct CommandArguments {
  std::map<std::string, std::string, std::less<>> options;
  std::optional<std::string> project;

  std::optional<std::string> Option(std::string_view name) const;
  bool Flag(std::string_view name) const { return options.contains(name); }
};

// Parses `words` against the options the command knows; on a mistake returns nothing and
// puts the reason, with the option meant when one is close, into `error`.
std::optional<CommandArguments> ParseCommandArguments(std::span<const std::string> words,
                                                      std::span<const OptionSpec> known,
                                                      std::string& error);

bool AsksForHelp(std::span<const std::string> words);

}  // namespace dwelvane

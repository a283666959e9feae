#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

// An option a command knows: "--name VALUE" / "--name=VALUE", or a flag "--name". The help,
// the man page and the bash completion show it as written here, and the parser takes it so.
struct OptionEntry {
  std::string_view name;  // without the dashes
  // What the value is (FILE, TEXT, LIST, ...); empty for a flag, or for one of `choices`.
  std::string_view value = {};
  std::string_view help = {};
  // The values it takes, in any letter case; with LIST, a comma-separated list of them.
  std::span<const std::string_view> choices = {};
  bool repeats = false;  // may be given more than once; each value is kept

  bool TakesValue() const { return !value.empty() || !choices.empty(); }
  bool TakesOneOfChoices() const { return value.empty() && !choices.empty(); }
};

// What follows the option in its usage: its value's name, or its choices as a|b|c.
std::string ValuePlaceholder(const OptionEntry& option);

// The words after the command: its options (a flag's value is empty; a choice is spelled as
// in its OptionEntry), the FILE a command may take before PROJECT, and at most one PROJECT.
struct CommandArguments {
  std::map<std::string, std::string, std::less<>> options;                // the last value of each
  std::map<std::string, std::vector<std::string>, std::less<>> repeated;  // every value, in order
  std::optional<std::string> file;
  std::optional<std::string> project;

  std::optional<std::string> Option(std::string_view name) const;
  // Where the option's value stands among the `choices` it was parsed against; nothing
  // without the option.
  std::optional<std::size_t> Choice(std::string_view name,
                                    std::span<const std::string_view> choices) const;
  bool Flag(std::string_view name) const { return options.contains(name); }
  // Every value of an option that repeats, in the order given.
  std::vector<std::string> Values(std::string_view name) const;
};

// Parses `words` against the options the command knows, a FILE when it takes one, and a
// PROJECT when it takes one; on
// a mistake returns nothing and puts the reason, with the option meant when one is close,
// into `error`.
std::optional<CommandArguments> ParseCommandArguments(std::span<const std::string> words,
                                                      std::span<const OptionEntry> known,
                                                      bool takes_project, std::string& error,
                                                      bool takes_file = false);

bool AsksForHelp(std::span<const std::string> words);

}  // namespace dwelvane

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/command_table.h"
#include "cli/help_text.h"
#include "cli/option_values.h"
#include "dialogue/dialogue_check.h"

namespace dwelvane {
namespace {

using Words = std::vector<std::string>;

std::optional<CommandArguments> Parse(const CommandEntry& command, const Words& words,
                                      std::string& error) {
  return ParseCommandArguments(words, command.options, command.takes_project, error);
}

// The help names each option once in the usage and once in its list, and no other; the
// parser takes each, with the first of its choices.
TEST(CommandTableTest, HelpAndParserKnowTheSameOptionsAndChoices) {
  const std::regex option_word("--[a-z][a-z-]*");
  for (const CommandEntry* command : Commands()) {
    const std::string help = FormatCommandHelp(*command);
    const std::set<std::string> named(
        std::sregex_token_iterator(help.begin(), help.end(), option_word), {});
    std::set<std::string> known;
    for (const OptionEntry& option : command->options) {
      const std::string name = "--" + std::string(option.name);
      EXPECT_TRUE(known.insert(name).second) << command->name << " " << name << " twice";
      Words words = {name};
      if (option.TakesValue()) {
        words.emplace_back(option.choices.empty() ? "x" : std::string(option.choices.front()));
      }
      std::string error;
      const auto parsed = Parse(*command, words, error);
      ASSERT_TRUE(parsed) << command->name << " " << name << ": " << error;
      EXPECT_TRUE(parsed->options.contains(option.name)) << command->name << " " << name;
      EXPECT_NE(help.find("[" + name), std::string::npos) << command->name << " usage: " << name;
      EXPECT_NE(help.find("\n  " + name + " "), std::string::npos) << command->name << " " << name;
      for (const std::string_view choice : option.choices) {
        EXPECT_NE(help.find(choice), std::string::npos) << command->name << " " << choice;
      }
    }
    EXPECT_EQ(named, known) << command->name;
  }
}

TEST(CommandTableTest, ParserSuggestsTheOptionMeantAndNamesTheChoices) {
  for (const CommandEntry* command : Commands()) {
    for (const OptionEntry& option : command->options) {
      const std::string name = "--" + std::string(option.name);
      const std::string_view typo = option.name.substr(0, option.name.size() - 1);
      std::string error;
      // --character and --characters: the shorter is no typo of the longer.
      if (std::none_of(command->options.begin(), command->options.end(),
                       [&](const OptionEntry& other) { return other.name == typo; })) {
        EXPECT_FALSE(Parse(*command, {name.substr(0, name.size() - 1)}, error));
        EXPECT_NE(error.find("did you mean '" + name + "'?"), std::string::npos) << error;
      }
      if (!option.TakesOneOfChoices()) {
        continue;
      }
      EXPECT_FALSE(Parse(*command, {name + "=none-of-them"}, error));
      for (const std::string_view choice : option.choices) {
        EXPECT_NE(error.find(choice), std::string::npos) << error;
        std::string upper(choice);
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](char c) { return static_cast<char>(std::toupper(c)); });
        const auto parsed = Parse(*command, {name + "=" + upper}, error);
        ASSERT_TRUE(parsed) << error;
        EXPECT_EQ(parsed->Option(option.name), std::string(choice));
      }
    }
  }
}

TEST(CommandTableTest, ParserSaysWhatIsWrongWithTheWords) {
  const std::pair<Words, std::string> cases[] = {
      {{"--header=yes"}, "option '--header' takes no value"},
      {{"p", "--output"}, "option '--output' needs a value"},
      {{"p", "q"}, "more than one project folder given ('p' and 'q')"},
  };
  for (const auto& [words, message] : cases) {
    std::string error;
    EXPECT_FALSE(Parse(*FindCommand("dialogue"), words, error));
    EXPECT_EQ(error, message);
  }
  std::string error;
  EXPECT_FALSE(ParseColumns(" , ", error));
  EXPECT_EQ(error, "unknown column '' in --columns");
  for (const bool takes_project : {true, false}) {
    const CommandEntry command = {.name = "words", .takes_project = takes_project};
    EXPECT_EQ(Parse(command, {"folder"}, error).has_value(), takes_project) << error;
    EXPECT_EQ(FormatCommandHelp(command).find("[PROJECT]") != std::string::npos, takes_project);
  }
}

TEST(CommandTableTest, OverviewAndCompletionListEveryCommandOnce) {
  const std::string overview = FormatOverview();
  const std::string completion = FormatCompletionList(nullptr);
  std::set<std::string_view> names;
  for (const CommandEntry* command : Commands()) {
    EXPECT_TRUE(names.insert(command->name).second) << command->name;
    EXPECT_EQ(FindCommand(command->name), command);
    const std::string name(command->name);
    EXPECT_NE(overview.find("\n  " + name + " "), std::string::npos) << name;
    EXPECT_NE(completion.find(name + "\n"), std::string::npos) << name;
    EXPECT_FALSE(command->summary.empty()) << name;
    EXPECT_NE(command->run, nullptr) << name;
  }
  EXPECT_EQ(std::count(completion.begin(), completion.end(), '\n'),
            static_cast<std::ptrdiff_t>(names.size()));
  const std::string check_help = FormatCommandHelp(*FindCommand("check"));
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
    const std::string_view name = FindingKindName(static_cast<FindingKind>(kind));
    EXPECT_NE(check_help.find(name), std::string::npos) << name;
  }
}

TEST(CommandTableTest, EveryHelpLineFitsTheWidthAndEndsInAWord) {
  std::vector<std::string> texts = {FormatOverview()};
  for (const CommandEntry* command : Commands()) {
    texts.push_back(FormatCommandHelp(*command));
  }
  for (const std::string& text : texts) {
    ASSERT_TRUE(text.ends_with("\n"));
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
      end = text.find('\n', start);
      const std::string_view line(text.data() + start, end - start);
      EXPECT_LE(line.size(), 88u) << line;
      EXPECT_FALSE(line.ends_with(" ")) << line;
    }
  }
}

}  // namespace
}  // namespace dwelvane

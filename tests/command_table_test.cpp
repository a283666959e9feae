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
#include "dialogue/dialogue_check.h"

namespace dwelvane {
namespace {

// The words that give `option` as the parser wants it: with a value it takes.
std::vector<std::string> WordsFor(const OptionEntry& option) {
  std::vector<std::string> words = {"--" + std::string(option.name)};
  if (option.TakesValue()) {
    words.emplace_back(option.choices.empty() ? "x" : std::string(option.choices.front()));
  }
  return words;
}

std::optional<CommandArguments> Parse(const CommandEntry& command,
                                      const std::vector<std::string>& words, std::string& error) {
  return ParseCommandArguments(words, command.options, command.takes_project, error);
}

TEST(CommandTableTest, HelpNamesEveryOptionAndChoiceTheParserTakes) {
  for (const CommandEntry* command : Commands()) {
    const std::string help = FormatCommandHelp(*command);
    for (const OptionEntry& option : command->options) {
      const std::string name = "--" + std::string(option.name);
      std::string error;
      const auto parsed = Parse(*command, WordsFor(option), error);
      ASSERT_TRUE(parsed) << command->name << " " << name << ": " << error;
      EXPECT_TRUE(parsed->options.contains(option.name)) << command->name << " " << name;
      EXPECT_NE(help.find("[" + name), std::string::npos) << command->name << " usage: " << name;
      EXPECT_NE(help.find("\n  " + name + " "), std::string::npos) << command->name << " " << name;
      for (const std::string_view choice : option.choices) {
        EXPECT_NE(help.find(choice), std::string::npos) << command->name << " " << choice;
      }
    }
  }
}

TEST(CommandTableTest, ParserTakesEveryOptionTheHelpNames) {
  const std::regex option_word("--[a-z][a-z-]*");
  for (const CommandEntry* command : Commands()) {
    const std::string help = FormatCommandHelp(*command);
    for (std::sregex_iterator it(help.begin(), help.end(), option_word), end; it != end; ++it) {
      const std::string name = it->str().substr(2);
      const auto known =
          std::find_if(command->options.begin(), command->options.end(),
                       [&](const OptionEntry& option) { return option.name == name; });
      ASSERT_NE(known, command->options.end()) << command->name << " help names --" << name;
      std::string error;
      EXPECT_TRUE(Parse(*command, WordsFor(*known), error)) << error;
    }
  }
}

TEST(CommandTableTest, ParserSuggestsTheOptionMeantAndNamesTheChoices) {
  for (const CommandEntry* command : Commands()) {
    std::set<std::string_view> names;
    for (const OptionEntry& option : command->options) {
      EXPECT_TRUE(names.insert(option.name).second) << command->name << " --" << option.name;
      const std::string name = "--" + std::string(option.name);
      std::string error;
      EXPECT_FALSE(Parse(*command, {name.substr(0, name.size() - 1)}, error));
      EXPECT_NE(error.find("did you mean '" + name + "'?"), std::string::npos) << error;
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

TEST(CommandTableTest, ProjectIsTakenOnlyByCommandsThatSayTheyTakeOne) {
  for (const bool takes_project : {true, false}) {
    const CommandEntry command = {.name = "words", .takes_project = takes_project};
    std::string error;
    const auto parsed = Parse(command, {"folder"}, error);
    EXPECT_EQ(parsed.has_value(), takes_project) << error;
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
}

TEST(CommandTableTest, CheckHelpNamesEveryFindingKind) {
  const CommandEntry* check = FindCommand("check");
  ASSERT_NE(check, nullptr);
  const std::string help = FormatCommandHelp(*check);
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
    const std::string_view name = FindingKindName(static_cast<FindingKind>(kind));
    EXPECT_NE(help.find(name), std::string::npos) << name;
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

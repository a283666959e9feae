#include "cli/help_text.h"

#include <algorithm>
#include <span>
#include <vector>

namespace dwelvane {
namespace {

// No help line is longer, so that it reads in a terminal of the usual width.
constexpr std::size_t kLineWidth = 88;

// The words of `text`; a word ending in a colon stays with the word after it, so that no
// line ends in "(default:".
std::vector<std::string> SplitAtSpaces(std::string_view text) {
  std::vector<std::string> words;
  bool glued = false;
  while (!text.empty()) {
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    if (glued) {
      words.back().append(" ").append(word);
    } else {
      words.emplace_back(word);
    }
    glued = word.ends_with(':');
    text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
  }
  return words;
}

// Appends the items from `column` on, separated by spaces and broken before one that would
// pass kLineWidth; the lines after the first start at `indent`. Left of `indent`, the line
// already holds a word, and a space comes first.
void AppendWrapped(std::string& out, std::span<const std::string> items, std::size_t column,
                   std::size_t indent) {
  bool line_empty = column >= indent;
  for (const std::string& item : items) {
    if (!line_empty && column + 1 + item.size() > kLineWidth) {
      out.append("\n").append(indent, ' ');
      column = indent;
      line_empty = true;
    }
    if (!line_empty) {
      out += ' ';
      ++column;
    }
    out += item;
    column += item.size();
    line_empty = false;
  }
  out += '\n';
}

// Paragraphs, an empty line between them.
void AppendParagraphs(std::string& out, std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find("\n\n");
    AppendWrapped(out, SplitAtSpaces(text.substr(0, end)), 0, 0);
    out.append(end == std::string_view::npos ? "" : "\n");
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
  }
}

std::string PadTo(std::string text, std::size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

void AppendUsage(std::string& out, const CommandEntry& command) {
  const std::string start = "usage: dwelvane-cli " + std::string(command.name);
  std::vector<std::string> items;
  for (const OptionEntry& option : command.options) {
    const std::string placeholder = ValuePlaceholder(option);
    items.push_back("[--" + std::string(option.name) + (placeholder.empty() ? "" : " ") +
                    placeholder + "]");
  }
  if (!command.file_argument.empty()) {
    items.emplace_back(command.file_argument);
  }
  if (command.takes_project) {
    items.emplace_back("[PROJECT]");
  }
  out += start;
  AppendWrapped(out, items, start.size(), start.size() + 1);
}

void AppendOptions(std::string& out, std::span<const OptionEntry> options) {
  std::size_t longest = 0;
  for (const OptionEntry& option : options) {
    longest = std::max(longest, option.name.size());
  }
  const std::size_t help_column = 2 + 2 + longest + 2;
  for (const OptionEntry& option : options) {
    out += PadTo("  --" + std::string(option.name), help_column);
    AppendWrapped(out, SplitAtSpaces(option.help), help_column, help_column);
  }
}

}  // namespace

std::string FormatOverview() {
  std::string out =
      "usage: dwelvane-cli COMMAND [OPTIONS] [PROJECT]\n"
      "       dwelvane-cli help [COMMAND] | --help | --version\n"
      "\n"
      "Commands:\n";
  std::size_t longest = 0;
  for (const CommandEntry* command : Commands()) {
    longest = std::max(longest, command->name.size());
  }
  const std::size_t summary_column = 2 + longest + 3;
  for (const CommandEntry* command : Commands()) {
    out += PadTo("  " + std::string(command->name), summary_column);
    AppendWrapped(out, SplitAtSpaces(command->summary), summary_column, summary_column);
  }
  return out +
         "\n"
         "PROJECT is the WME project folder or its .wpr file (default: the stored one).\n"
         "'dwelvane-cli help COMMAND' or 'dwelvane-cli COMMAND --help' shows its options.\n";
}

std::string FormatCommandHelp(const CommandEntry& command) {
  std::string out;
  AppendUsage(out, command);
  if (!command.description.empty()) {
    out += '\n';
    AppendParagraphs(out, command.description);
  }
  if (!command.options.empty()) {
    out += '\n';
    AppendOptions(out, command.options);
  }
  return out;
}

std::string FormatCompletionList(const CommandEntry* command) {
  std::string out;
  if (command == nullptr) {
    for (const CommandEntry* each : Commands()) {
      out.append(each->name).append("\n");
    }
    return out;
  }
  for (const OptionEntry& option : command->options) {
    out.append("--").append(option.name);
    if (option.TakesValue()) {
      out.append(" ").append(ValuePlaceholder(option));
    }
    for (const std::string_view choice : option.choices) {
      out.append(" ").append(choice);
    }
    out += '\n';
  }
  return out;
}

}  // namespace dwelvane

#include "cli/cli.h"

#include <cstdio>

#include "cli/check_command.h"
#include "cli/cli_arguments.h"
#include "cli/closest_name.h"
#include "cli/dialogue_command.h"
#include "cli/speakers_command.h"
#include "cli/stats_command.h"
#include "runtime/platform_file.h"

namespace dwelvane {
namespace {

constexpr const char* kProgramUsage =
    "usage: dwelvane-cli COMMAND [OPTIONS] [PROJECT]\n"
    "       dwelvane-cli help [COMMAND] | --help | --version\n"
    "\n"
    "Commands:\n"
    "  dialogue   write the table of every line said through .Talk( or .TalkAsync(\n"
    "  stats      count the project's scenes, items, sprites, images, actors, sounds,\n"
    "             scripts and dialogue lines, and write the report\n"
    "  speakers   count the lines and words each character says: the voice budget\n"
    "  check      find lines with missing audio files, unknown string table IDs, no text\n"
    "             to voice, or audio files and IDs used for two different sentences\n"
    "\n"
    "PROJECT is the WME project folder (default: the stored project folder).\n"
    "'dwelvane-cli help COMMAND' or 'dwelvane-cli COMMAND --help' shows its options.\n";

constexpr const char* kDialogueUsage =
    "usage: dwelvane-cli dialogue [--columns LIST] [--separator TEXT] [--string-table FILE]\n"
    "                             [--output FILE] [--encoding ENCODING] [--header]\n"
    "                             [--relative-paths] [--include-inc] [PROJECT]\n"
    "\n"
    "Writes the table of every line said through .Talk( or .TalkAsync( in the project's\n"
    ".script files.\n"
    "\n"
    "  --columns         comma-separated, in any letter case, from location, name, line,\n"
    "                    speaker, sentence, audio, reference, translate\n"
    "                    (default: all but translate)\n"
    "  --separator       text between the fields; \\t is a tab (default: the stored one,\n"
    "                    else ;)\n"
    "  --string-table    STRING.TAB read for translate (default: the stored one, else\n"
    "                    PROJECT/English/STRING.TAB, else the string.tab of the project's\n"
    "                    primary package)\n"
    "  --output          the file to write, - for standard output\n"
    "                    (default: PROJECT/Dialogue_List.csv)\n"
    "  --encoding        bytes (as the scripts hold them), utf-8 (each script, name and\n"
    "                    table converted from its own encoding) or utf-8-bom (the same,\n"
    "                    with a byte order mark for spreadsheets) (default: bytes)\n"
    "  --header          a first line with the names of the columns\n"
    "  --relative-paths  locations relative to PROJECT, with / between folders\n"
    "  --include-inc     scan .inc files too\n";

constexpr const char* kStatsUsage =
    "usage: dwelvane-cli stats [--language en|de] [--output FILE] [--encoding ENCODING]\n"
    "                          [PROJECT]\n"
    "\n"
    "Counts the project's scenes, items, sprites, images, actors, sounds, scripts and\n"
    "dialogue lines, and writes the report.\n"
    "\n"
    "  --language  language of the report (default: the stored one, else en)\n"
    "  --output    the file to write, - for standard output (default: standard output)\n"
    "  --encoding  bytes (Windows-1252), utf-8 or utf-8-bom (default: bytes; utf-8 on a\n"
    "              terminal that shows UTF-8)\n"
    "\n"
    "SOURCE_DATE_EPOCH, when set, fixes the report's date and time (UTC).\n";

constexpr const char* kSpeakersUsage =
    "usage: dwelvane-cli speakers [--format text|csv|html] [--output FILE] [--include-inc]\n"
    "                             [--encoding ENCODING] [PROJECT]\n"
    "\n"
    "Counts the lines each character says, as the dialogue table finds them, with their\n"
    "words (after the /ID/ prefix) and the lines with and without an audio file; most\n"
    "words first, then a total.\n"
    "\n"
    "  --format       text (an aligned table), csv, or html (one page with a bar per\n"
    "                 speaker) (default: by the output file's ending, else text)\n"
    "  --output       the file to write, - for standard output (default: standard output)\n"
    "  --include-inc  scan .inc files too\n"
    "  --encoding     bytes, utf-8 or utf-8-bom: the speakers' names as the scripts hold\n"
    "                 them, or in UTF-8, one speaker whatever its scripts' encodings\n";

constexpr const char* kCheckUsage =
    "usage: dwelvane-cli check [--string-table FILE] [--include-inc] [PROJECT]\n"
    "\n"
    "Prints one finding per line, as compilers do: PATH:LINE: warning: MESSAGE [KIND], with\n"
    "the kinds missing-audio, unknown-reference, no-sentence, audio-reused and\n"
    "reference-reused. Exit status 0 without findings, 3 with some.\n"
    "\n"
    "  --string-table  the table the IDs are checked against (default: as for dialogue)\n"
    "  --include-inc   scan .inc files too\n";

using CommandRunner = int (*)(std::span<const std::string>);

struct Command {
  std::string_view name;
  CommandRunner run;
  const char* usage;
};

constexpr Command kCommands[] = {
    {.name = "dialogue", .run = RunDialogueCommand, .usage = kDialogueUsage},
    {.name = "stats", .run = RunStatsCommand, .usage = kStatsUsage},
    {.name = "speakers", .run = RunSpeakersCommand, .usage = kSpeakersUsage},
    {.name = "check", .run = RunCheckCommand, .usage = kCheckUsage},
};

const Command* FindCommand(std::string_view name) {
  for (const Command& command : kCommands) {
    if (command.name == name) {
      return &command;
    }
  }
  return nullptr;
}

int ReportUnknownCommand(const std::string& word) {
  std::string_view names[std::size(kCommands)];
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    names[i] = kCommands[i].name;
  }
  const auto meant = FindClosestName(word, names);
  return ReportUsageError("unknown command '" + word + "'" +
                          (meant ? "; did you mean '" + std::string(*meant) + "'?" : ""));
}

int PrintUsage(const char* usage) {
  std::fputs(usage, stdout);
  return kExitSuccess;
}

// "help" and "help COMMAND".
int RunHelp(std::span<const std::string> words) {
  if (words.empty()) {
    return PrintUsage(kProgramUsage);
  }
  const Command* command = FindCommand(words.front());
  return command != nullptr ? PrintUsage(command->usage) : ReportUnknownCommand(words.front());
}

}  // namespace

void ReportError(const std::string& message) {
  std::fprintf(stderr, "dwelvane-cli: %s\n", message.c_str());
}

int ReportUsageError(const std::string& message) {
  ReportError(message);
  std::fputs("Try 'dwelvane-cli --help'.\n", stderr);
  return kExitUsage;
}

int RunCli(std::span<const std::string> words) {
  platform::LetWritesBeyondTheSizeLimitFail();
  if (words.empty()) {
    return ReportUsageError("no command given");
  }
  const std::string& first = words.front();
  if (first == "-h" || first == "--help") {
    return PrintUsage(kProgramUsage);
  }
  if (first == "--version") {
    std::printf("dwelvane-cli %s\n", DWELVANE_VERSION);
    return kExitSuccess;
  }
  if (first == "help") {
    return RunHelp(words.subspan(1));
  }
  const Command* command = FindCommand(first);
  if (command == nullptr) {
    return first.starts_with("-") ? ReportUsageError("unknown option '" + first + "'")
                                  : ReportUnknownCommand(first);
  }
  if (AsksForHelp(words.subspan(1))) {
    return PrintUsage(command->usage);
  }
  return command->run(words.subspan(1));
}

}  // namespace dwelvane

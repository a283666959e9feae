#include "cli/cli.h"

#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/dialogue_command.h"
#include "cli/stats_command.h"
#include "runtime/platform_file.h"

namespace dwelvane {
namespace {

constexpr const char* kUsage =
    "usage: dwelvane-cli dialogue [--columns LIST] [--separator TEXT] [--string-table FILE]\n"
    "                             [--output FILE] [PROJECT]\n"
    "       dwelvane-cli stats [--language en|de] [--output FILE] [PROJECT]\n"
    "\n"
    "  dialogue   write the table of every line said through .Talk( or .TalkAsync(\n"
    "             in the project's .script files\n"
    "  stats      count the project's scenes, items, sprites, images, actors, sounds,\n"
    "             scripts and dialogue lines, and write the report\n"
    "\n"
    "  PROJECT         the WME project folder (default: the stored project folder)\n"
    "  --columns       comma-separated, from location,name,line,speaker,reference,\n"
    "                  translate,sentence,audio (default: all but translate)\n"
    "  --separator     text between the fields (default: the stored one, else ;)\n"
    "  --string-table  STRING.TAB read for translate (default: PROJECT/English/STRING.TAB)\n"
    "  --language      language of the report (default: the stored one, else en)\n"
    "  --output        the file to write, - for standard output (default: for dialogue\n"
    "                  PROJECT/Dialogue_List.csv, for stats standard output)\n"
    "\n"
    "SOURCE_DATE_EPOCH, when set, fixes the report's date and time (UTC).\n";

using CommandRunner = int (*)(std::span<const std::string>);

struct Command {
  std::string_view name;
  CommandRunner run;
};

constexpr Command kCommands[] = {
    {"dialogue", RunDialogueCommand},
    {"stats", RunStatsCommand},
};

}  // namespace

void ReportError(const std::string& message) {
  std::fprintf(stderr, "dwelvane-cli: %s\n", message.c_str());
}

int ReportUsageError(const std::string& message) {
  ReportError(message);
  std::fputs(kUsage, stderr);
  return kExitUsage;
}

int RunCli(std::span<const std::string> words) {
  platform::LetWritesBeyondTheSizeLimitFail();
  if (words.empty()) {
    return ReportUsageError("no command given");
  }
  if (words.front() == "-h" || words.front() == "--help") {
    std::fputs(kUsage, stdout);
    return kExitSuccess;
  }
  for (const Command& command : kCommands) {
    if (words.front() == command.name) {
      if (AsksForHelp(words.subspan(1))) {
        std::fputs(kUsage, stdout);
        return kExitSuccess;
      }
      return command.run(words.subspan(1));
    }
  }
  return ReportUsageError("unknown command '" + words.front() + "'");
}

}  // namespace dwelvane

#include "cli/command_table.h"

#include "cli/check_command.h"
#include "cli/dialogue_command.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "cli/recording_command.h"
#include "cli/speakers_command.h"
#include "cli/stats_command.h"
#include "cli/tag_command.h"

namespace dwelvane {
namespace {

constexpr const CommandEntry* kCommands[] = {
    &kDialogueCommand, &kStatsCommand,  &kSpeakersCommand, &kCheckCommand,
    &kTagCommand,      &kExportCommand, &kImportCommand,   &kRecordingCommand,
};

}  // namespace

std::span<const CommandEntry* const> Commands() {
  return kCommands;
}

const CommandEntry* FindCommand(std::string_view name) {
  for (const CommandEntry* command : kCommands) {
    if (command->name == name) {
      return command;
    }
  }
  return nullptr;
}

}  // namespace dwelvane

#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "cli/cli_arguments.h"
#include "runtime/command_feedback.h"
#include "runtime/command_outcome.h"
#include "runtime/output_target.h"
#include "settings/settings.h"

namespace dwelvane {

// What every command starts from: its words parsed against its option names, the stored
// settings, and the project folder (PROJECT, else the stored one; absolute, with a
// trailing separator).
struct CommandStart {
  CommandArguments arguments;
  Settings settings;
  std::string project_folder;
};

// Nothing, after the usage message, when the words are wrong or name no project folder.
std::optional<CommandStart> StartCommand(std::span<const std::string> words,
                                         std::span<const std::string_view> known_options);

// --output: "-" for standard output, else the file, made absolute; `fallback` without the
// option. Nothing, and the reason in `error`, for an empty name.
std::optional<OutputTarget> ChooseOutput(const CommandArguments& arguments,
                                         const OutputTarget& fallback, std::string& error);

// False, after saying so on standard error, when `folder` can't be listed.
bool CheckProjectFolder(const std::string& folder);

// Runs `job` with its progress on the terminal; returns the exit code for its outcome,
// after saying so when the output could not be written.
int RunWithProgress(const OutputTarget& output,
                    const std::function<CommandOutcome(const CommandFeedback&)>& job);

}  // namespace dwelvane

#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "dialogue/script_discovery.h"
#include "runtime/command_feedback.h"
#include "runtime/command_outcome.h"
#include "runtime/folder_walk.h"
#include "runtime/output_target.h"
#include "runtime/text_encoding.h"
#include "settings/settings.h"

namespace dwelvane {

// What every command starts from: its words parsed against its option names, the stored
// settings, and the project folder (PROJECT, else the stored one; absolute, with a
// trailing separator). PROJECT is resolved here for every command (ResolveProjectArgument):
// a .wpr file stands for its folder, and a folder inside a project is refused.
struct CommandStart {
  CommandArguments arguments;
  Settings settings;
  std::string project_folder;
  bool project_from_settings = false;
};

// Nothing, after the usage message, when the words are wrong or, for a command that takes a
// PROJECT, name no project folder or one inside a project.
std::optional<CommandStart> StartCommand(std::span<const std::string> words,
                                         std::span<const OptionEntry> known_options,
                                         bool takes_project, bool takes_file = false);

// The values of --encoding, as OutputEncoding lists them.
inline constexpr std::string_view kEncodingNames[] = {"bytes", "utf-8", "utf-8-bom"};

// In the options of every command that walks the project.
inline constexpr OptionEntry kFollowOutsideLinksOption = {
    .name = "follow-outside-links",
    .help =
        "follow links to folders outside PROJECT too (each folder is still read once; "
        "default: such links are named and passed over)"};

// The values of --syntax, as ScriptSyntax lists them.
inline constexpr std::string_view kSyntaxNames[] = {"line", "engine"};

// --syntax; `fallback` without the option.
ScriptSyntax ChooseSyntax(const CommandArguments& arguments, ScriptSyntax fallback);

// In the options of every command that names characters.
inline constexpr OptionEntry kCharactersOption = {
    .name = "characters",
    .value = "FILE",
    .help =
        "the team's names for speakers the project can't resolve, lines SPEAKER = "
        "CHARACTER (default: Dwelvane_Characters.txt in PROJECT, when there is one)"};

// The aliases of --characters, else of the project's Dwelvane_Characters.txt when it is
// there. False, after saying so, when a file named on the command line can't be read; a
// line that is no alias is named in a warning.
bool LoadCharacterAliases(const CommandStart& start, std::vector<CharacterAlias>& aliases);

// The walk's rules: --follow-outside-links.
WalkRules ChooseWalkRules(const CommandArguments& arguments);

// --encoding; bytes without the option.
OutputEncoding ChooseEncoding(const CommandArguments& arguments);

// "standard output" or the file's path.
std::string Describe(const OutputTarget& output);

// For a person at a terminal: one line at the end on what was done, and where the
// project came from when it wasn't given.
void SummarizeOnTerminal(const std::string& summary, const CommandStart& start);

// --output: "-" for standard output, else the file, made absolute; `fallback` without the
// option. Nothing, and the reason in `error`, for an empty name.
std::optional<OutputTarget> ChooseOutput(const CommandArguments& arguments,
                                         const OutputTarget& fallback, std::string& error);

// False, after saying so on standard error, when `folder` can't be listed.
bool CheckProjectFolder(const std::string& folder, std::string_view what = "the project folder");

// Runs `job` on the project in `project_folder` with its progress on the terminal; returns
// the exit code for its outcome, after saying so when the output could not be written.
// The .wpr files its walk meets give one warning when there are none directly in the
// folder, or several (ProjectFilesMet).
int RunWithProgress(const std::string& project_folder, const OutputTarget& output,
                    const std::function<CommandOutcome(const CommandFeedback&)>& job);

// The course of a command that works on the project into one output, once its options are
// built: a usage error when they could not be (the reason in `error`); else the project
// folder checked, `ready` (the command's own checks, each saying why it fails) and `job` run
// with its progress into the options' `output`. Returns the exit code.
template <typename Options>
int RunOnProject(const std::optional<Options>& options, const std::string& error,
                 OutputTarget Options::*output,
                 const std::function<CommandOutcome(const CommandFeedback&)>& job,
                 const std::function<bool()>& ready = nullptr) {
  if (!options) {
    return ReportUsageError(error);
  }
  if (!CheckProjectFolder(options->project_folder) || (ready && !ready())) {
    return kExitFailure;
  }
  return RunWithProgress(options->project_folder, (*options).*output, job);
}

}  // namespace dwelvane

#include "cli/command_support.h"

#include <cstdio>
#include <utility>

#include "cli/cli.h"
#include "cli/project_argument.h"
#include "cli/terminal_progress.h"
#include "dialogue/project_files_met.h"
#include "dialogue/resolve_characters.h"
#include "runtime/directory_listing.h"
#include "runtime/line_reader.h"
#include "runtime/platform_file.h"
#include "runtime/program_paths.h"
#include "runtime/skipped_entries.h"
#include "runtime/text_operations.h"
#include "settings/platform_settings.h"
#include "settings/settings_persistence.h"

namespace dwelvane {
namespace {

Settings LoadCliSettings() {
  const std::unique_ptr<RegistryStore> store = OpenUserRegistry();
  // The command line only reads the store; were a write ever to fail, it would say so here.
  RegistryLayer registry(*store, [](std::string_view caption, std::string_view text) {
    ReportError(std::string(caption) + ": " + std::string(text));
  });
  Settings settings;
  std::string engine_install_path;
  LoadSettings(registry, settings, engine_install_path, FindEngineInstallPathElsewhere);
  // A first run's defaults serve without being stored: only the window stores settings.
  if (IsFirstRun(settings)) {
    ApplyFirstRunDefaults(settings, engine_install_path);
  }
  return settings;
}

// The first few of `entries`, "a, b, c, ...", each with why when `with_cause`.
std::string NameFirst(const SkippedEntries& entries, bool with_cause) {
  std::string names;
  for (const IoError& entry : entries.first) {
    names.append(&entry == &entries.first.front() ? "" : ", ").append(entry.path);
    if (with_cause) {
      names.append(" (").append(entry.Describe()).append(")");
    }
  }
  if (entries.count > static_cast<std::int64_t>(entries.first.size())) {
    names.append(", ...");
  }
  return names;
}

// One line for all that was passed over; the output is still complete without it.
void WarnAboutSkipped(const SkippedEntries& skipped) {
  if (skipped.count == 0) {
    return;
  }
  ReportError("warning: " + std::to_string(skipped.count) +
              (skipped.count == 1 ? " entry" : " entries") + " could not be read and " +
              (skipped.count == 1 ? "was" : "were") + " skipped: " + NameFirst(skipped, true));
}

void WarnAboutLinksOut(const SkippedEntries& links) {
  if (links.count == 0) {
    return;
  }
  const bool one = links.count == 1;
  ReportError("warning: " + std::to_string(links.count) + (one ? " link leads" : " links lead") +
              " out of the project and " + (one ? "was" : "were") +
              " not followed (--follow-outside-links follows " + (one ? "it" : "them") +
              "): " + NameFirst(links, false));
}

// When the folder is no project folder of one project: the first few of several .wpr
// files, which the output all covers; else, when none lies directly in the folder, that it
// may be no WME project folder.
void WarnAboutProjectFiles(const ProjectFilesMet& met) {
  if (met.Count() < 2) {
    if (!met.AnyInFolder()) {
      ReportError("warning: no .wpr file in '" + met.Folder() + "': is it a WME project folder?");
    }
    return;
  }
  std::string names;
  for (const std::string& name : met.First()) {
    names.append(names.empty() ? "" : ", ").append(name);
  }
  names.append(met.Count() > static_cast<std::int64_t>(met.First().size()) ? ", ..." : "");
  ReportError("warning: " + std::to_string(met.Count()) + " .wpr files below '" + met.Folder() +
              "', so the output covers several projects: " + names);
}

}  // namespace

std::optional<CommandStart> StartCommand(std::span<const std::string> words,
                                         std::span<const OptionEntry> known_options,
                                         bool takes_project, bool takes_file) {
  std::string error;
  auto arguments = ParseCommandArguments(words, known_options, takes_project, error, takes_file);
  if (!arguments) {
    ReportUsageError(error);
    return std::nullopt;
  }
  CommandStart start{std::move(*arguments), LoadCliSettings(), {}, false};
  if (!takes_project) {
    return start;
  }
  start.project_from_settings = !start.arguments.project.has_value();
  start.project_folder = start.settings.WMEProjectDir;
  if (start.arguments.project) {
    const auto folder = ResolveProjectArgument(*start.arguments.project, error);
    if (!folder) {
      ReportUsageError(error);
      return std::nullopt;
    }
    start.project_folder = *folder;
  }
  if (start.project_folder.empty()) {
    ReportUsageError("no PROJECT given and no project folder stored");
    return std::nullopt;
  }
  start.project_folder = EnsureTrailingSeparator(start.project_folder);
  return start;
}

std::optional<OutputTarget> ChooseOutput(const CommandArguments& arguments,
                                         const OutputTarget& fallback, std::string& error) {
  const auto output = arguments.Option("output");
  if (!output) {
    return fallback;
  }
  if (output->empty()) {
    error = "--output needs a file name, or - for standard output";
    return std::nullopt;
  }
  return *output == "-" ? OutputTarget::StandardOutput()
                        : OutputTarget::File(MakeAbsoluteFromWorkingDirectory(*output));
}

ScriptSyntax ChooseSyntax(const CommandArguments& arguments, ScriptSyntax fallback) {
  constexpr ScriptSyntax kSyntaxes[] = {ScriptSyntax::kLine, ScriptSyntax::kEngine};
  static_assert(std::size(kSyntaxes) == std::size(kSyntaxNames));
  const auto named = arguments.Choice("syntax", kSyntaxNames);
  return named ? kSyntaxes[*named] : fallback;
}

bool LoadCharacterAliases(const CommandStart& start, std::vector<CharacterAlias>& aliases) {
  const auto named = start.arguments.Option("characters");
  const std::string path = named ? MakeAbsoluteFromWorkingDirectory(*named)
                                 : JoinProjectPath(start.project_folder, kCharacterAliasFileName);
  std::string bytes;
  if (const IoError error = ReadWholeFile(path, bytes); error.Failed()) {
    if (named) {
      ReportError(DescribeFailure(error.On(path)));
    }
    return !named;
  }
  std::vector<std::int64_t> bad_lines;
  aliases = ReadCharacterAliases(bytes, bad_lines);
  for (const std::int64_t line : bad_lines) {
    ReportError("warning: " + path + ":" + std::to_string(line) +
                ": not SPEAKER = CHARACTER; the line is passed over");
  }
  return true;
}

WalkRules ChooseWalkRules(const CommandArguments& arguments) {
  return {.follow_outside_links = arguments.Flag("follow-outside-links")};
}

OutputEncoding ChooseEncoding(const CommandArguments& arguments) {
  constexpr OutputEncoding kEncodings[] = {OutputEncoding::kBytes, OutputEncoding::kUtf8,
                                           OutputEncoding::kUtf8WithBom};
  static_assert(std::size(kEncodings) == std::size(kEncodingNames));
  return kEncodings[arguments.Choice("encoding", kEncodingNames).value_or(0)];
}

std::string Describe(const OutputTarget& output) {
  return output.to_standard_output ? "standard output" : output.path;
}

void SummarizeOnTerminal(const std::string& summary, const CommandStart& start) {
  if (platform::StandardErrorIsTerminal()) {
    std::fprintf(stderr, "%s%s\n", summary.c_str(),
                 start.project_from_settings ? " (project from the stored settings)" : "");
  }
}

bool CheckProjectFolder(const std::string& folder, std::string_view what) {
  DirectoryListing listing;
  if (const IoError error = listing.DirListOpen(folder); error.Failed()) {
    ReportError("cannot read " + std::string(what) + " '" + folder + "': " + error.Describe());
    return false;
  }
  return true;
}

int RunWithProgress(const std::string& project_folder, const OutputTarget& output,
                    const std::function<CommandOutcome(const CommandFeedback&)>& job) {
  SkippedEntries skipped;
  SkippedEntries links_out;
  ProjectFilesMet project_files(project_folder);
  CommandFeedback feedback = MakeTerminalProgress();
  feedback.note_skipped = [&](const IoError& entry) {
    (entry.code == kLinkLeadsOutOfTheProject ? links_out : skipped).Note(entry);
  };
  feedback.note_name_in_utf8 = [](const std::string& name) {
    ReportError("warning: the system's code page lacks characters of '" + name +
                "'; the output holds it in UTF-8");
  };
  feedback.note_project_file = [&](const std::string& path) { project_files.Note(path); };
  const CommandOutcome outcome = job(feedback);
  EndTerminalProgress();
  WarnAboutProjectFiles(project_files);
  WarnAboutLinksOut(links_out);
  WarnAboutSkipped(skipped);
  if (outcome.result != CommandResult::kOutputFailed) {
    return kExitSuccess;
  }
  ReportError(output.to_standard_output
                  ? "cannot write to standard output: " + outcome.error.Describe()
                  : DescribeFailure(outcome.error.path.empty() ? outcome.error.On(output.path)
                                                               : outcome.error));
  return kExitFailure;
}

}  // namespace dwelvane

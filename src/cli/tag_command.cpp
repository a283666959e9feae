#include "cli/tag_command.h"

#include <cstdio>

#include "cli/check_command.h"
#include "cli/cli.h"
#include "cli/command_support.h"
#include "translation/tag_project.h"

namespace dwelvane {
namespace {

constexpr std::string_view kTableEncodingNames[] = {"windows-1252", "utf-8-bom"};

constexpr OptionEntry kOptions[] = {
    {.name = "prefix",
     .value = "TEXT",
     .help = "what new IDs start with, before their number (default: dlg_)"},
    {.name = "dry-run",
     .help = "print the changes as a unified diff on standard output and write nothing"},
    {.name = "share-identical",
     .help = "give the lines one character says with the same text one ID"},
    {.name = "table-encoding",
     .help = "the encoding of a string table made anew: windows-1252 (the game's texts stay "
             "in its code page) or utf-8-bom (the whole game switches to UTF-8) (default: "
             "windows-1252)",
     .choices = kTableEncodingNames},
    {.name = "include-inc", .help = "tag the lines of .inc files too"},
    kCharactersOption,
    kFollowOutsideLinksOption,
};

// Letters, digits and "_" only: an ID ends at the first blank, and "/" ends it in a line.
bool IsUsablePrefix(std::string_view prefix) {
  if (prefix.empty()) {
    return false;
  }
  for (const char c : prefix) {
    const bool usable = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
    if (!usable) {
      return false;
    }
  }
  return true;
}

std::string_view DescribeReason(const LeftAlone& left) {
  switch (left.reason) {
    case LeftAloneReason::kChangedSinceRead:
      return "changed while it was read; run tag again";
    case LeftAloneReason::kBrokenLiteral:
      return "holds a text literal the engine refuses (see check)";
    case LeftAloneReason::kNotInCodePage:
      return "the string table's code page (Windows-1252) can't hold this text";
    case LeftAloneReason::kUnreadable:
      return "can't be read";
  }
  return {};
}

void ReportLeftAlone(const std::vector<LeftAlone>& left_alone) {
  for (const LeftAlone& left : left_alone) {
    std::string place = left.path;
    if (left.line > 0) {
      place += ":" + std::to_string(left.line);
    }
    std::string why(DescribeReason(left));
    if (left.error.Failed()) {
      why += ": " + left.error.Describe();
    }
    ReportError("left alone: " + place + ": " + why);
  }
}

bool PrintDiff(const std::string& diff) {
  std::fwrite(diff.data(), 1, diff.size(), stdout);
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}

std::string Summary(const TagReport& report, bool dry_run) {
  const std::string would = dry_run ? "would be " : "";
  return std::to_string(report.lines_tagged) + (report.lines_tagged == 1 ? " line " : " lines ") +
         would + "tagged in " + std::to_string(report.scripts_changed) +
         (report.scripts_changed == 1 ? " script; " : " scripts; ") +
         std::to_string(report.entries_added) +
         (report.entries_added == 1 ? " entry " : " entries ") + would + "added to '" +
         report.table_path + "'";
}

int RunTag(const CommandStart& start) {
  TagOptions options;
  options.project_folder = start.project_folder;
  options.prefix = start.arguments.Option("prefix").value_or(options.prefix);
  if (!IsUsablePrefix(options.prefix)) {
    return ReportUsageError("--prefix takes letters, digits, '_', '-' and '.' only");
  }
  options.dry_run = start.arguments.Flag("dry-run");
  options.share_identical = start.arguments.Flag("share-identical");
  if (start.arguments.Choice("table-encoding", kTableEncodingNames).value_or(0) == 1) {
    options.new_table_encoding = TableEncoding::kUtf8WithBom;
  }
  options.include_inc = start.arguments.Flag("include-inc");
  options.walk = ChooseWalkRules(start.arguments);
  if (!CheckProjectFolder(options.project_folder) ||
      (options.share_identical && !LoadCharacterAliases(start, options.aliases))) {
    return kExitFailure;
  }
  DialogueTable records;
  Progress progress;
  TagReport report;
  const int exit_code = RunWithProgress(options.project_folder, OutputTarget::StandardOutput(),
                                        [&](const CommandFeedback& feedback) {
                                          report = TagProject(options, records, progress, feedback);
                                          return CommandOutcome{};
                                        });
  if (exit_code != kExitSuccess) {
    return exit_code;
  }
  if (options.dry_run && !PrintDiff(report.diff)) {
    ReportError("could not write the changes to standard output");
    return kExitFailure;
  }
  ReportLeftAlone(report.left_alone);
  if (report.failure.Failed()) {
    ReportError(DescribeFailure(report.failure) +
                "; the files written so far are complete, and tag finishes the job when run "
                "again");
    return kExitFailure;
  }
  SummarizeOnTerminal(Summary(report, options.dry_run), start);
  return report.left_alone.empty() ? kExitSuccess : kExitFindings;
}

}  // namespace

const CommandEntry kTagCommand = {
    .name = "tag",
    .summary = "give every line and choice a string table ID, and the table its entry",
    .description =
        "Puts an ID at the start of the text of every talk line and choice that names no "
        "string table entry (\"Hello\" becomes \"/dlg_0042/Hello\"), numbered after the "
        "highest ID of the prefix in the table or the scripts, in walk and line order, and "
        "adds each ID with its text to the string table the project names (in "
        "startup.settings or the .wpr). The table keeps its encoding; every other byte of a "
        "script stays as it was. Each script is replaced whole, then the table; tag run "
        "again after an interruption finishes the job, and changes nothing once it is "
        "done.\n"
        "\n"
        "A script that changed while it was read, or holds a text literal the engine "
        "refuses, is left alone and named, as is a line whose text the table's code page "
        "can't hold. Exit status 0 when everything is tagged, 3 when something was left "
        "alone, 1 on an error.",
    .options = kOptions,
    .run = RunTag,
};

}  // namespace dwelvane

#include "cli/command_support.h"

#include "cli/cli.h"
#include "runtime/directory_listing.h"
#include "runtime/program_paths.h"

namespace dwelvane {

Settings LoadCliSettings() {
  Settings settings;
  ApplyFirstRunDefaults(settings, "");
  return settings;
}

std::optional<std::string> ChooseProjectFolder(const CommandArguments& arguments,
                                               const Settings& settings, std::string& error) {
  const std::string folder = arguments.project
                                 ? MakeAbsoluteFromWorkingDirectory(*arguments.project)
                                 : settings.WMEProjectDir;
  if (folder.empty()) {
    error = "no PROJECT given and no project folder stored";
    return std::nullopt;
  }
  return EnsureTrailingSeparator(folder);
}

bool CheckProjectFolder(const std::string& folder) {
  if (IsReadableFolder(folder)) {
    return true;
  }
  ReportError("cannot read the project folder '" + folder + "'");
  return false;
}

}  // namespace dwelvane

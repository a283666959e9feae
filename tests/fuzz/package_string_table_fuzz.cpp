// The package reader against a reference reading of the .wpr file: [PackageN] sections
// (any name longer than "package" that starts with it, in any letter case) with Folder=
// and Primary=1, keys in any letter case, spaces and tabs trimmed; the first primary
// package, else the first one. The input is the .wpr file; the package folder it names is
// made, with a string table in it, when its name is a plain one.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "dialogue/package_string_table.h"
#include "fuzz_support.h"

using namespace dwelvane;

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  return text;
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  }
  return lowered;
}

struct Package {
  std::string folder;
  bool primary = false;
};

std::string ChosenFolder(std::string_view wpr) {
  std::vector<Package> packages;
  bool in_package = false;
  for (std::string_view line : fuzz::ReferenceLines(wpr)) {
    line = Trimmed(line);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string section = Lowered(line.substr(1, line.size() - 2));
      in_package = section.size() > 7 && section.starts_with("package");
      if (in_package) {
        packages.emplace_back();
      }
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!in_package || equals == std::string_view::npos) {
      continue;
    }
    const std::string key = Lowered(Trimmed(line.substr(0, equals)));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    if (key == "folder") {
      packages.back().folder = value;
    } else if (key == "primary") {
      packages.back().primary = value == "1";
    }
  }
  for (const Package& package : packages) {
    if (package.primary) {
      return package.folder;
    }
  }
  return packages.empty() ? std::string() : packages.front().folder;
}

// One to three parts of letters, digits and "_", between "\" or "/"; "data" excepted, which
// the reader looks into on its own.
bool IsPlainFolder(std::string_view folder) {
  int parts = 0;
  std::size_t length = 0;
  for (const char c : folder) {
    if (c == '\\' || c == '/') {
      if (length == 0) {
        return false;
      }
      ++parts;
      length = 0;
    } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_') {
      ++length;
    } else {
      return false;
    }
  }
  return length > 0 && parts < 3 && folder.size() <= 40 && Lowered(folder) != "data" &&
         !Lowered(folder).starts_with("data\\") && !Lowered(folder).starts_with("data/");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view wpr = fuzz::AsText(data, size);
  namespace fs = std::filesystem;
  const fs::path project = fuzz::ScratchPath("project");
  fs::remove_all(project);
  fs::create_directories(project);
  fuzz::WriteFile((project / "game.wpr").string(), wpr);

  const std::string chosen = ChosenFolder(wpr);
  std::string expected;
  if (IsPlainFolder(chosen)) {
    std::string relative = chosen;
    for (char& c : relative) {
      c = c == '\\' ? '/' : c;
    }
    fs::create_directories(project / relative);
    const fs::path table = project / relative / "String.Tab";
    fuzz::WriteFile(table.string(), "id\ttext\n");
    expected = table.string();
  }
  const auto found = FindPackageStringTable(project.string());
  if (expected.empty() ? found.has_value() : !found || fs::path(*found) != fs::path(expected)) {
    __builtin_trap();
  }
  return 0;
}

// The package reader on any .wpr file: it always finds one of the project's two string
// tables, "data/string.tab" or the one of the package folder "pack", and the latter only
// when the file names it.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "dialogue/package_string_table.h"
#include "fuzz_support.h"

using namespace dwelvane;
namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fs::path project = [] {
    const fs::path folder = fuzz::ScratchPath("project");
    fs::create_directories(folder / "pack");
    fs::create_directories(folder / "data");
    fuzz::WriteFile((folder / "pack" / "String.Tab").string(), "id\ttext\n");
    fuzz::WriteFile((folder / "data" / "string.tab").string(), "id\ttext\n");
    return folder;
  }();
  std::string wpr(fuzz::AsText(data, size));
  fuzz::WriteFile((project / "game.wpr").string(), wpr);
  const auto found = FindPackageStringTable(project.string());
  std::error_code ignored;
  const bool in_data = found && fs::equivalent(*found, project / "data" / "string.tab", ignored);
  const bool in_pack = found && fs::equivalent(*found, project / "pack" / "String.Tab", ignored);
  std::transform(wpr.begin(), wpr.end(), wpr.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  if (!(in_data || in_pack) || (in_pack && wpr.find("pack") == std::string::npos)) {
    __builtin_trap();
  }
  return 0;
}

#pragma once

#include <cstddef>
#include <string>

namespace dwelvane::bench {

struct SyntheticProjectShape {
  std::size_t scripts = 20000;
  std::size_t lines_per_script = 100;
  std::size_t talks_per_script = 5;
  std::size_t scripts_per_folder = 100;
  std::size_t other_files = 0;  // scenes, sprites, images, sounds, items beside the scripts
  std::size_t string_table_lines = 0;
};

// Writes a WME-like project below `folder`: nested scene folders with scripts whose
// lines look like real ones, talk lines with references and audio files among them.
void WriteSyntheticProject(const std::string& folder, const SyntheticProjectShape& shape);

// One script of 200,000 lines with 10,000 talk lines in a project below `folder`; gives
// the folder that holds it. Its name is kLargeScriptName.
std::string WriteLargeScript(const std::string& folder);
inline constexpr const char* kLargeScriptName = "script0.script";

}  // namespace dwelvane::bench

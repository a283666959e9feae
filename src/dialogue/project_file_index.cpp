#include "dialogue/project_file_index.h"

#include "runtime/text_conversion.h"

namespace dwelvane {
namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

}  // namespace

std::string_view ProjectFileIndex::LastComponent(std::string_view path) {
  std::size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1])) {
    --start;
  }
  return path.substr(start);
}

bool ProjectFileIndex::EndsInName(std::string_view path, std::string_view name) {
  if (path.size() < name.size()) {
    return false;
  }
  const std::size_t start = path.size() - name.size();
  return FileNameEqual{}(path.substr(start), name) && (start == 0 || IsSeparator(path[start - 1]));
}

void ProjectFileIndex::Add(std::string_view relative_path) {
  in_code_page_.clear();
  if (!AppendInSystemCodePage(in_code_page_, relative_path)) {
    in_code_page_.assign(relative_path);
  }
  const std::string_view path = paths_.Store(in_code_page_);
  by_last_name_.emplace(LastComponent(path), path);
}

bool ProjectFileIndex::Contains(std::string_view name) const {
  bool found = false;
  ForEachFileNamed(name, [&](std::string_view) { found = true; });
  return found;
}

}  // namespace dwelvane

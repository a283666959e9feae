#include "dialogue/finding_lines.h"

#include <algorithm>
#include <unordered_map>

#include "runtime/line_reader.h"
#include "runtime/program_paths.h"

namespace dwelvane {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// The file's lines, split at LF; a CR before it goes with the trimmed blanks.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start <= bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string LineAt(const std::vector<std::string_view>& lines, std::int64_t number) {
  if (number < 1 || number > static_cast<std::int64_t>(lines.size())) {
    return {};
  }
  return std::string(TrimBlanks(lines[static_cast<std::size_t>(number - 1)]));
}

std::string ToSystemPath(std::string_view relative) {
  std::string path(relative);
#ifdef _WIN32
  for (char& c : path) {
    c = c == '/' ? '\\' : c;
  }
#endif
  return path;
}

// Skips blanks, then `word`; false when the text goes on otherwise.
bool Consume(std::string_view& text, std::string_view word) {
  text = TrimBlanks(text);
  if (!text.starts_with(word)) {
    return false;
  }
  text.remove_prefix(word.size());
  return true;
}

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || c == '-';
}

// The kinds after "ignore": words with commas between them, up to anything else.
bool ListNames(std::string_view list, std::string_view name) {
  for (;;) {
    list = TrimBlanks(list);
    std::size_t length = 0;
    while (length < list.size() && IsWordCharacter(list[length])) {
      ++length;
    }
    const std::string_view word = list.substr(0, length);
    if (word == "all" || word == name) {
      return true;
    }
    list.remove_prefix(length);
    if (length == 0 || !Consume(list, ",")) {
      return false;
    }
  }
}

bool LineSilences(std::string_view line, std::string_view name) {
  for (std::size_t slashes = line.find("//"); slashes != std::string_view::npos;
       slashes = line.find("//", slashes + 2)) {
    std::string_view rest = line.substr(slashes + 2);
    if (Consume(rest, "dwelvane") && Consume(rest, ":") && Consume(rest, "ignore") &&
        !rest.empty() && IsBlank(rest.front()) && ListNames(rest, name)) {
      return true;
    }
  }
  return false;
}

}  // namespace

FindingLines ReadFindingLines(const Findings& findings, std::string_view project_folder) {
  FindingLines lines;
  lines.text.resize(findings.list.size());
  lines.above.resize(findings.list.size());
  std::unordered_map<std::string_view, std::vector<std::size_t>> by_script;
  for (std::size_t i = 0; i < findings.list.size(); ++i) {
    // An orphan stands in a table, an unused audio file is no text: neither is silenced.
    if (findings.list[i].kind != FindingKind::kOrphan &&
        findings.list[i].kind != FindingKind::kUnusedAudio) {
      by_script[findings.list[i].path].push_back(i);
    }
  }
  std::string bytes;
  for (const auto& [path, places] : by_script) {
    if (ReadWholeFile(JoinProjectPath(project_folder, ToSystemPath(path)), bytes).Failed()) {
      continue;
    }
    const std::vector<std::string_view> split = SplitLines(bytes);
    for (const std::size_t i : places) {
      lines.text[i] = LineAt(split, findings.list[i].line);
      lines.above[i] = LineAt(split, findings.list[i].line - 1);
    }
  }
  return lines;
}

void KeepFindings(Findings& findings, FindingLines& lines,
                  const std::function<bool(std::size_t)>& keep) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < findings.list.size(); ++i) {
    if (!keep(i)) {
      continue;
    }
    if (kept != i) {
      findings.list[kept] = findings.list[i];
      lines.text[kept] = std::move(lines.text[i]);
      lines.above[kept] = std::move(lines.above[i]);
    }
    ++kept;
  }
  findings.list.resize(kept);
  lines.text.resize(kept);
  lines.above.resize(kept);
}

bool IsSilenced(std::string_view line, std::string_view above, FindingKind kind) {
  const std::string_view name = FindingKindName(kind);
  return LineSilences(line, name) || LineSilences(above, name);
}

}  // namespace dwelvane

#include "translation/unified_diff.h"

#include <algorithm>
#include <vector>

namespace dwelvane {
namespace {

constexpr std::size_t kContext = 3;

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t size = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, size));
    text.remove_prefix(size);
  }
  return lines;
}

void AppendLine(std::string& out, char mark, std::string_view line) {
  out.push_back(mark);
  out.append(line);
  if (!line.ends_with('\n')) {
    out.append("\n\\ No newline at end of file\n");
  }
}

// "start,count" of a hunk's side, as diff writes it: an empty side starts before its place.
std::string Range(std::size_t first, std::size_t count) {
  return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

class Hunks {
 public:
  Hunks(const std::vector<std::string_view>& before, const std::vector<std::string_view>& after)
      : before_(before), after_(after) {}

  bool Differs(std::size_t i) const {
    return i >= before_.size() || i >= after_.size() || before_[i] != after_[i];
  }

  // The hunk of the changed lines from `first` on, each within 2 * kContext of the last.
  void Append(std::string& out, std::size_t first, std::size_t last_changed) const {
    const std::size_t lines = std::max(before_.size(), after_.size());
    const std::size_t start = first > kContext ? first - kContext : 0;
    const std::size_t end = std::min(lines, last_changed + 1 + kContext);
    const std::size_t old_count = std::min(end, before_.size()) - std::min(start, before_.size());
    const std::size_t new_count = std::min(end, after_.size()) - std::min(start, after_.size());
    out.append("@@ -" + Range(start, old_count) + " +" + Range(start, new_count) + " @@\n");
    for (std::size_t i = start; i < end; ++i) {
      if (!Differs(i)) {
        AppendLine(out, ' ', before_[i]);
        continue;
      }
      // The removed lines of a run of changes come before its added ones.
      std::size_t run_end = i;
      while (run_end < end && Differs(run_end)) {
        ++run_end;
      }
      for (std::size_t j = i; j < run_end && j < before_.size(); ++j) {
        AppendLine(out, '-', before_[j]);
      }
      for (std::size_t j = i; j < run_end && j < after_.size(); ++j) {
        AppendLine(out, '+', after_[j]);
      }
      i = run_end - 1;
    }
  }

 private:
  const std::vector<std::string_view>& before_;
  const std::vector<std::string_view>& after_;
};

}  // namespace

void AppendUnifiedDiff(std::string& out, std::string_view name, std::string_view before,
                       std::string_view after) {
  if (before == after) {
    return;
  }
  const std::vector<std::string_view> old_lines = SplitLines(before);
  const std::vector<std::string_view> new_lines = SplitLines(after);
  const Hunks hunks(old_lines, new_lines);
  out.append("--- a/").append(name).append("\n+++ b/").append(name).append("\n");
  const std::size_t lines = std::max(old_lines.size(), new_lines.size());
  for (std::size_t i = 0; i < lines; ++i) {
    if (!hunks.Differs(i)) {
      continue;
    }
    std::size_t last = i;
    for (std::size_t j = i + 1; j < lines && j <= last + 2 * kContext; ++j) {
      last = hunks.Differs(j) ? j : last;
    }
    hunks.Append(out, i, last);
    i = last;
  }
}

}  // namespace dwelvane

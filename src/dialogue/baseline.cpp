#include "dialogue/baseline.h"

#include <map>
#include <tuple>

#include "runtime/json_reader.h"

namespace dwelvane {
namespace {

bool ReadEntry(const JsonValue& finding, BaselineEntry& entry) {
  std::string* const fields[] = {&entry.kind, &entry.file, &entry.text};
  constexpr std::string_view kNames[] = {"kind", "file", "text"};
  for (std::size_t i = 0; i < std::size(kNames); ++i) {
    const JsonValue* value = finding.Member(kNames[i]);
    if (value == nullptr || value->type != JsonValue::Type::kString) {
      return false;
    }
    *fields[i] = value->text;
  }
  return true;
}

}  // namespace

bool ReadBaseline(std::string_view bytes, std::vector<BaselineEntry>& entries, std::string& error) {
  JsonError json_error;
  const auto document = ReadJson(bytes, json_error);
  if (!document) {
    error = "byte " + std::to_string(json_error.offset) + ": " + json_error.message;
    return false;
  }
  const JsonValue* findings = document->Member("findings");
  if (findings == nullptr || findings->type != JsonValue::Type::kArray) {
    error = "no \"findings\" array";
    return false;
  }
  entries.clear();
  for (const JsonValue& finding : findings->items) {
    if (!ReadEntry(finding, entries.emplace_back())) {
      error = "finding " + std::to_string(entries.size()) +
              " lacks a \"kind\", \"file\" or \"text\" string";
      return false;
    }
  }
  return true;
}

void DropBaselineFindings(const std::vector<BaselineEntry>& baseline, Findings& findings,
                          FindingLines& lines) {
  using Key = std::tuple<std::string_view, std::string_view, std::string_view>;
  std::map<Key, std::size_t> unmatched;
  for (const BaselineEntry& entry : baseline) {
    ++unmatched[Key{entry.kind, entry.file, entry.text}];
  }
  KeepFindings(findings, lines, [&](std::size_t i) {
    const Finding& finding = findings.list[i];
    const auto match =
        unmatched.find(Key{FindingKindName(finding.kind), finding.path, lines.text[i]});
    if (match == unmatched.end() || match->second == 0) {
      return true;
    }
    --match->second;
    return false;
  });
}

}  // namespace dwelvane

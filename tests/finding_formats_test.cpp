#include "dialogue/finding_formats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/json_reader.h"
#include "runtime/json_text.h"

namespace dwelvane {
namespace {

// The value at `path` of member names below `value`, or a null when any of them is missing.
const JsonValue& At(const JsonValue& value, std::initializer_list<std::string_view> path) {
  static const JsonValue kMissing;
  const JsonValue* at = &value;
  for (const std::string_view key : path) {
    at = at->Member(key);
    if (at == nullptr) {
      return kMissing;
    }
  }
  return *at;
}

std::optional<JsonValue> ReadOrFail(std::string_view text) {
  JsonError error;
  std::optional<JsonValue> value = ReadJson(text, error);
  EXPECT_TRUE(value.has_value()) << error.offset << ": " << error.message << "\n" << text;
  return value;
}

TEST(FindingFormatsTest, JsonStringsEscapeAndStayUtf8) {
  const std::string_view kBad = "\xEF\xBF\xBD";  // U+FFFD, for each byte that is no UTF-8
  const std::pair<std::string_view, std::string> cases[] = {
      {"a\"b\\c/", "a\\\"b\\\\c/"},
      {std::string_view("\x00\x1f\x7f\n", 4), "\\u0000\\u001f\x7f\\u000a"},
      {"caf\xC3\xA9 \xF0\x9F\x8E\xA4", "caf\xC3\xA9 \xF0\x9F\x8E\xA4"},
      {"a\xFF", "a" + std::string(kBad)},
      {"\xC0\xAF", std::string(kBad) + std::string(kBad)},  // overlong
      {"\xED\xA0\x80x", std::string(kBad) + std::string(kBad) + std::string(kBad) + "x"},
      {"\xE2\x82", std::string(kBad) + std::string(kBad)},  // cut short
  };
  for (const auto& [text, written] : cases) {
    std::string out;
    AppendJsonString(out, text);
    EXPECT_EQ(out, "\"" + written + "\"") << text;
    const std::optional<JsonValue> read = ReadOrFail(out);
    if (read.has_value() && written.find(kBad) == std::string::npos) {
      EXPECT_EQ(read->text, text);
    }
  }
}

// A finding with the texts it names, and what they are in UTF-8.
struct Hostile {
  Finding finding;
  std::string_view path_utf8, subject_utf8, earlier_utf8, line_text, line_text_utf8;
  bool error = false;
};

std::vector<Hostile> HostileFindings() {
  using K = FindingKind;
  return {
      {{"scripts/a b/%#?.script", 3, K::kMissingAudio, "voice \"1\"\\x.ogg"},
       "scripts/a b/%#?.script",
       "voice \"1\"\\x.ogg",
       "",
       "a.Talk(\"Hi\");",
       "a.Talk(\"Hi\");"},
      {{"scripts/caf\xE9.script", 1, K::kUnknownReference, "ID\x01\x1f\x7f"},
       "scripts/caf\xC3\xA9.script",
       "ID\x01\x1f\x7f",
       "",
       "\"caf\xE9\"",
       "\"caf\xC3\xA9\"",
       true},
      {{"dir:x,y/z.script", 12, K::kNoSentence}, "dir:x,y/z.script", "", "", "", ""},
      {{"s/\xE6\x97\xA5.script", 4, K::kAudioReused, "a%25:b,c.ogg", "s/old,1:2.script", 2},
       "s/\xE6\x97\xA5.script",
       "a%25:b,c.ogg",
       "s/old,1:2.script",
       "x",
       "x"},
      {{"s/r.script", 5, K::kReferenceReused, "line\nbreak\rhere", "s/\xFF.script", 1},
       "s/r.script",
       "line\nbreak\rhere",
       "s/\xC3\xBF.script",
       "",
       ""},
      {{"s/b.script", 6, K::kBrokenLiteral, "long"}, "s/b.script", "long", "", "", "", true},
      {{"s/c.script", 7, K::kChoiceNotVoiced, "bad\xFF\xFE"},
       "s/c.script",
       "bad\xC3\xBF\xC3\xBE",
       "",
       "\t",
       "\t"},
      {{"s/d.script", 8, K::kUntranslated, "%s"}, "s/d.script", "%s", "", "", ""},
      {{"s/e.script", 9, K::kStaleTranslation, "::x::"}, "s/e.script", "::x::", "", "", ""},
      {{"s/f.script", 10, K::kOrphan, ",,"}, "s/f.script", ",,", "", "", ""},
      {{"s/g.script", 11, K::kFormatMismatch, "%0A%0D"}, "s/g.script", "%0A%0D", "", "", ""},
      {{"v/a b,c.ogg", 0, K::kUnusedAudio, "v/a b,c.ogg"},
       "v/a b,c.ogg",
       "v/a b,c.ogg",
       "",
       "",
       ""},
  };
}

FindingsDocument DocumentOf(const std::vector<Hostile>& hostile, std::string_view project) {
  FindingsDocument document{.version = "1.2.3", .project = project};
  for (const Hostile& h : hostile) {
    document.findings.push_back(
        {.finding = &h.finding, .line_text = std::string(h.line_text), .error = h.error});
  }
  return document;
}

std::string ExpectedMessage(const Hostile& h) {
  Finding utf8 = h.finding;
  utf8.path = h.path_utf8;
  utf8.subject = h.subject_utf8;
  utf8.earlier_path = h.earlier_utf8;
  std::string message;
  AppendFindingMessage(message, utf8);
  return message;
}

TEST(FindingFormatsTest, EveryKindHasAHostileFindingAndItsOwnOneLineHint) {
  std::set<FindingKind> kinds;
  for (const Hostile& h : HostileFindings()) {
    kinds.insert(h.finding.kind);
  }
  EXPECT_EQ(kinds.size(), kFindingKindCount);
  std::set<std::string_view> hints;
  for (std::size_t index = 0; index < kFindingKindCount; ++index) {
    const std::string_view hint = FindingKindHint(static_cast<FindingKind>(index));
    EXPECT_FALSE(hint.empty() || hint.find('\n') != std::string_view::npos) << index;
    hints.insert(hint);
  }
  EXPECT_EQ(hints.size(), kFindingKindCount);
}

TEST(FindingFormatsTest, JsonGivesBackEveryFinding) {
  const std::vector<Hostile> hostile = HostileFindings();
  std::string out;
  AppendFindingsJson(out, DocumentOf(hostile, "games/caf\xE9 \"x\""));
  ASSERT_TRUE(out.ends_with("}\n"));
  const std::optional<JsonValue> document = ReadOrFail(out);
  ASSERT_TRUE(document.has_value());
  EXPECT_EQ(At(*document, {"tool"}).text, "dwelvane");
  EXPECT_EQ(At(*document, {"version"}).text, "1.2.3");
  EXPECT_EQ(At(*document, {"project"}).text, "games/caf\xC3\xA9 \"x\"");
  const std::vector<JsonValue>& findings = At(*document, {"findings"}).items;
  ASSERT_EQ(findings.size(), hostile.size());
  for (std::size_t i = 0; i < hostile.size(); ++i) {
    const Hostile& h = hostile[i];
    const JsonValue& f = findings[i];
    SCOPED_TRACE(h.path_utf8);
    EXPECT_EQ(At(f, {"kind"}).text, FindingKindName(h.finding.kind));
    EXPECT_EQ(At(f, {"severity"}).text, h.error ? "error" : "warning");
    EXPECT_EQ(At(f, {"file"}).text, h.path_utf8);
    EXPECT_EQ(At(f, {"line"}).number, h.finding.line);
    EXPECT_EQ(At(f, {"column"}).number, 1);
    EXPECT_EQ(At(f, {"message"}).text, ExpectedMessage(h));
    EXPECT_EQ(At(f, {"hint"}).text, FindingKindHint(h.finding.kind));
    EXPECT_EQ(At(f, {"text"}).text, h.line_text_utf8);
  }
  out.clear();
  AppendFindingsJson(out, {.version = "1", .project = "p"});
  const std::optional<JsonValue> empty = ReadOrFail(out);
  ASSERT_TRUE(empty.has_value());
  EXPECT_EQ(At(*empty, {"findings"}).type, JsonValue::Type::kArray);
  EXPECT_TRUE(At(*empty, {"findings"}).items.empty());
}

// "%XX" back to its byte; nothing when a "%" has no two hex digits after it.
std::optional<std::string> PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    const std::string hex(text.substr(i + 1, 2));
    if (hex.size() != 2 || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
      return std::nullopt;
    }
    out.push_back(static_cast<char>(std::stoi(hex, nullptr, 16)));
    i += 2;
  }
  return out;
}

// The rules of SARIF 2.1.0 the readers of code scanning results rely on.
void ExpectSarifShape(const JsonValue& log, const std::vector<Hostile>& hostile) {
  EXPECT_EQ(At(log, {"version"}).text, "2.1.0");
  EXPECT_EQ(At(log, {"$schema"}).text, "https://json.schemastore.org/sarif-2.1.0.json");
  ASSERT_EQ(At(log, {"runs"}).items.size(), 1u);
  const JsonValue& run = At(log, {"runs"}).items[0];
  EXPECT_EQ(At(run, {"tool", "driver", "name"}).text, "dwelvane");
  EXPECT_EQ(At(run, {"tool", "driver", "version"}).text, "1.2.3");
  const std::vector<JsonValue>& rules = At(run, {"tool", "driver", "rules"}).items;
  ASSERT_EQ(rules.size(), kFindingKindCount);
  for (std::size_t index = 0; index < rules.size(); ++index) {
    const auto kind = static_cast<FindingKind>(index);
    EXPECT_EQ(At(rules[index], {"id"}).text, FindingKindName(kind));
    EXPECT_FALSE(At(rules[index], {"shortDescription", "text"}).text.empty());
    EXPECT_EQ(At(rules[index], {"help", "text"}).text, FindingKindHint(kind));
  }
  const std::vector<JsonValue>& results = At(run, {"results"}).items;
  ASSERT_EQ(results.size(), hostile.size());
  for (std::size_t i = 0; i < results.size(); ++i) {
    const JsonValue& result = results[i];
    const Hostile& h = hostile[i];
    SCOPED_TRACE(h.path_utf8);
    const auto rule = static_cast<std::size_t>(At(result, {"ruleIndex"}).number);
    ASSERT_LT(rule, rules.size());
    EXPECT_EQ(At(rules[rule], {"id"}).text, At(result, {"ruleId"}).text);
    EXPECT_EQ(At(result, {"ruleId"}).text, FindingKindName(h.finding.kind));
    EXPECT_EQ(At(result, {"level"}).text, h.error ? "error" : "warning");
    EXPECT_EQ(At(result, {"message", "text"}).text, ExpectedMessage(h));
    ASSERT_EQ(At(result, {"locations"}).items.size(), 1u);
    const JsonValue& location = At(At(result, {"locations"}).items[0], {"physicalLocation"});
    const std::string& uri = At(location, {"artifactLocation", "uri"}).text;
    EXPECT_EQ(At(location, {"artifactLocation", "uriBaseId"}).text, "%SRCROOT%");
    EXPECT_FALSE(uri.starts_with('/'));
    EXPECT_EQ(uri.find_first_of(": #?\\"), std::string::npos) << uri;
    for (const char c : uri) {
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << uri;
    }
    EXPECT_EQ(PercentDecoded(uri), std::string(h.path_utf8));
    if (h.finding.line > 0) {
      EXPECT_EQ(At(location, {"region", "startLine"}).number, h.finding.line);
    } else {
      EXPECT_EQ(location.Member("region"), nullptr) << "a whole file has no region";
    }
  }
}

TEST(FindingFormatsTest, SarifKeepsTheRulesThatMatter) {
  const std::vector<Hostile> hostile = HostileFindings();
  const std::pair<std::string_view, std::optional<std::string_view>> cases[] = {
      {"/home/me/My Game #2/", "file:///home/me/My%20Game%20%232/"},
      {"/srv/caf\xE9", "file:///srv/caf%C3%A9/"},
      {"C:\\Games\\Quest", "file:///C:/Games/Quest/"},
      {"games/quest", std::nullopt},
  };
  for (const auto& [project, root] : cases) {
    SCOPED_TRACE(project);
    std::string out;
    AppendFindingsSarif(out, DocumentOf(hostile, project));
    const std::optional<JsonValue> log = ReadOrFail(out);
    ASSERT_TRUE(log.has_value());
    ExpectSarifShape(*log, hostile);
    const JsonValue* base =
        At(At(*log, {"runs"}).items[0], {"originalUriBaseIds"}).Member("%SRCROOT%");
    ASSERT_EQ(base != nullptr, root.has_value());
    if (root.has_value()) {
      EXPECT_EQ(At(*base, {"uri"}).text, *root);
    }
  }
}

// A workflow command's property value or message back to its text.
std::string WorkflowUnescaped(std::string_view text) {
  const std::pair<std::string_view, char> escapes[] = {
      {"%25", '%'}, {"%0D", '\r'}, {"%0A", '\n'}, {"%3A", ':'}, {"%2C", ','}};
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    for (const auto& [code, meant] : escapes) {
      if (text.substr(i).starts_with(code)) {
        c = meant;
        i += 2;
        break;
      }
    }
    out.push_back(c);
  }
  return out;
}

TEST(FindingFormatsTest, GithubCommandsUnescapeToTheFindings) {
  const std::vector<Hostile> hostile = HostileFindings();
  std::string out;
  AppendFindingsGithub(out, DocumentOf(hostile, "p"));
  ASSERT_TRUE(out.ends_with('\n'));
  EXPECT_EQ(out.find('\r'), std::string::npos);
  std::string_view rest = out;
  for (const Hostile& h : hostile) {
    const std::size_t end = rest.find('\n');
    ASSERT_NE(end, std::string_view::npos);
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    SCOPED_TRACE(line);
    const std::string prefix = h.error ? "::error " : "::warning ";
    ASSERT_TRUE(line.starts_with(prefix));
    line.remove_prefix(prefix.size());
    // No property holds a ":", so the first "::" ends them.
    const std::size_t properties_end = line.find("::");
    ASSERT_NE(properties_end, std::string_view::npos);
    std::string_view properties = line.substr(0, properties_end);
    std::vector<std::string_view> values;
    for (const std::string_view name : {"file=", "line=", "title="}) {
      if (name == "line=" && h.finding.line == 0) {
        values.emplace_back("0");
        continue;
      }
      ASSERT_TRUE(properties.starts_with(name)) << properties;
      properties.remove_prefix(name.size());
      const std::size_t comma = std::min(properties.find(','), properties.size());
      values.push_back(properties.substr(0, comma));
      properties.remove_prefix(std::min(comma + 1, properties.size()));
    }
    EXPECT_TRUE(properties.empty());
    EXPECT_EQ(WorkflowUnescaped(values[0]), h.path_utf8);
    EXPECT_EQ(values[1], std::to_string(h.finding.line));
    EXPECT_EQ(values[2], FindingKindName(h.finding.kind));
    EXPECT_EQ(WorkflowUnescaped(line.substr(properties_end + 2)),
              ExpectedMessage(h) + "\n" + std::string(FindingKindHint(h.finding.kind)));
  }
  EXPECT_TRUE(rest.empty());
}

}  // namespace
}  // namespace dwelvane

#include "dialogue/finding_formats.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/json_text.h"
#include "runtime/text_encoding.h"
#include "runtime/utf8.h"

namespace dwelvane {
namespace {

// A JSON value as a strict reader of RFC 8259 sees it; objects keep their members by name.
struct Json {
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject } type = Type::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::map<std::string, Json> members;

  const Json& operator[](const std::string& name) const {
    static const Json kMissing;
    const auto found = members.find(name);
    return found == members.end() ? kMissing : found->second;
  }
  bool Has(const std::string& name) const { return members.contains(name); }
};

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}

  // The document's one value, or nothing when any byte breaks the grammar.
  std::optional<Json> ReadDocument() {
    Json value;
    if (!ReadValue(value)) {
      return std::nullopt;
    }
    SkipBlanks();
    return at_ == text_.size() ? std::optional<Json>(std::move(value)) : std::nullopt;
  }

 private:
  void SkipBlanks() {
    while (at_ < text_.size() &&
           std::string_view(" \t\r\n").find(text_[at_]) != std::string_view::npos) {
      ++at_;
    }
  }

  bool Take(char c) {
    SkipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  bool TakeWord(std::string_view word) {
    if (text_.substr(at_).starts_with(word)) {
      at_ += word.size();
      return true;
    }
    return false;
  }

  bool ReadValue(Json& value) {
    SkipBlanks();
    if (at_ >= text_.size()) {
      return false;
    }
    const char c = text_[at_];
    if (c == '{') {
      value.type = Json::Type::kObject;
      return ReadObject(value);
    }
    if (c == '[') {
      value.type = Json::Type::kArray;
      return ReadArray(value);
    }
    if (c == '"') {
      value.type = Json::Type::kString;
      return ReadString(value.text);
    }
    if (TakeWord("true") || TakeWord("false")) {
      value.type = Json::Type::kBool;
      value.boolean = c == 't';
      return true;
    }
    if (TakeWord("null")) {
      return true;
    }
    value.type = Json::Type::kNumber;
    return ReadNumber(value.number);
  }

  bool ReadObject(Json& value) {
    ++at_;
    if (Take('}')) {
      return true;
    }
    do {
      std::string name;
      SkipBlanks();
      if (!ReadString(name) || !Take(':') || value.members.contains(name) ||
          !ReadValue(value.members[name])) {
        return false;
      }
    } while (Take(','));
    return Take('}');
  }

  bool ReadArray(Json& value) {
    ++at_;
    if (Take(']')) {
      return true;
    }
    do {
      if (!ReadValue(value.items.emplace_back())) {
        return false;
      }
    } while (Take(','));
    return Take(']');
  }

  bool ReadNumber(double& number) {
    const std::size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-') {
      ++at_;
    }
    while (at_ < text_.size() &&
           std::string_view("0123456789.eE+-").find(text_[at_]) != std::string_view::npos) {
      ++at_;
    }
    const std::string digits(text_.substr(start, at_ - start));
    if (digits.empty() || digits == "-") {
      return false;
    }
    std::size_t used = 0;
    number = std::stod(digits, &used);
    return used == digits.size();
  }

  bool ReadHex4(char32_t& code) {
    if (at_ + 4 > text_.size()) {
      return false;
    }
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      const auto digit = std::string_view("0123456789abcdef").find(c | 0x20);
      if (digit == std::string_view::npos) {
        return false;
      }
      code = code * 16 + static_cast<char32_t>(digit);
    }
    return true;
  }

  bool ReadEscape(std::string& out) {
    const char c = text_[at_++];
    const std::string_view simple = "\"\\/bfnrt";
    const std::string_view meant = "\"\\/\b\f\n\r\t";
    if (const auto index = simple.find(c); index != std::string_view::npos) {
      out.push_back(meant[index]);
      return true;
    }
    char32_t code = 0;
    if (c != 'u' || !ReadHex4(code)) {
      return false;
    }
    if (code >= 0xD800 && code <= 0xDBFF) {
      char32_t low = 0;
      if (!TakeWord("\\u") || !ReadHex4(low) || low < 0xDC00 || low > 0xDFFF) {
        return false;
      }
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
      return false;
    }
    AppendUtf8(out, code);
    return true;
  }

  bool ReadString(std::string& out) {
    if (at_ >= text_.size() || text_[at_] != '"') {
      return false;
    }
    ++at_;
    while (at_ < text_.size()) {
      const auto c = static_cast<unsigned char>(text_[at_++]);
      if (c == '"') {
        return true;
      }
      if (c < 0x20 || (c == '\\' && (at_ >= text_.size() || !ReadEscape(out)))) {
        return false;
      }
      if (c != '\\') {
        out.push_back(static_cast<char>(c));
      }
    }
    return false;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

std::optional<Json> ParseJson(std::string_view text) {
  if (DetectEncoding(text) == SourceEncoding::kWindows1252) {
    return std::nullopt;  // not UTF-8
  }
  return JsonReader(text).ReadDocument();
}

TEST(JsonReaderTest, RefusesWhatIsNoJson) {
  for (const std::string_view text :
       {"", "{", "{\"a\":1,}", "[1 2]", "\"a\x01\"", "\"\\x\"", "\"\\ud800\"", "{\"a\":1,\"a\":2}",
        "nul", "\"\xC3\"", "1 2"}) {
    EXPECT_FALSE(ParseJson(text).has_value()) << text;
  }
  const std::optional<Json> value = ParseJson(" {\"a\": [true, null, -1.5e2, \"\\u00e9\\n\"]} ");
  ASSERT_TRUE(value.has_value());
  const Json& items = (*value)["a"];
  ASSERT_EQ(items.items.size(), 4u);
  EXPECT_TRUE(items.items[0].boolean);
  EXPECT_EQ(items.items[1].type, Json::Type::kNull);
  EXPECT_EQ(items.items[2].number, -150);
  EXPECT_EQ(items.items[3].text, "\xC3\xA9\n");
}

TEST(JsonStringTest, EscapesAndKeepsTheOutputUtf8) {
  struct Case {
    std::string_view text;
    std::string_view written;  // between the quotes
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"a\"b\\c/", "a\\\"b\\\\c/"},
      {std::string_view("\x00\x01\x1f\x7f", 4), "\\u0000\\u0001\\u001f\x7f"},
      {"\n\r\t", "\\u000a\\u000d\\u0009"},
      {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xA4", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xA4"},
      {"a\xFF"
       "b",
       "a\xEF\xBF\xBD"
       "b"},
      {"\xC3", "\xEF\xBF\xBD"},                                  // cut short at the end
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // overlong
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
      {"\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // past U+10FFFF
      {"\xE2\x82"
       "x",
       "\xEF\xBF\xBD\xEF\xBF\xBD"
       "x"},
  };
  for (const Case& c : cases) {
    std::string out = "[";
    AppendJsonString(out, c.text);
    EXPECT_EQ(out, "[\"" + std::string(c.written) + "\"") << c.text;
    const std::optional<Json> parsed = ParseJson(out.substr(1));
    ASSERT_TRUE(parsed.has_value()) << out;
    if (DetectEncoding(c.text) != SourceEncoding::kWindows1252) {
      EXPECT_EQ(parsed->text, c.text);
    }
  }
}

// A finding with the texts it names, and what they are in UTF-8.
struct Hostile {
  Finding finding;
  std::string_view path_utf8;
  std::string_view subject_utf8;
  std::string_view earlier_utf8;
  std::string_view line_text;
  std::string_view line_text_utf8;
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

TEST(FindingFormatsTest, TheHostileFindingsCoverEveryKind) {
  std::set<FindingKind> kinds;
  for (const Hostile& h : HostileFindings()) {
    kinds.insert(h.finding.kind);
  }
  EXPECT_EQ(kinds.size(), kFindingKindCount);
}

TEST(FindingFormatsTest, EveryKindHasItsOwnHint) {
  std::set<std::string_view> hints;
  for (std::size_t index = 0; index < kFindingKindCount; ++index) {
    const std::string_view hint = FindingKindHint(static_cast<FindingKind>(index));
    EXPECT_FALSE(hint.empty()) << index;
    EXPECT_EQ(hint.find('\n'), std::string_view::npos) << index;
    hints.insert(hint);
  }
  EXPECT_EQ(hints.size(), kFindingKindCount);
}

TEST(FindingFormatsTest, JsonGivesBackEveryFinding) {
  const std::vector<Hostile> hostile = HostileFindings();
  std::string out;
  AppendFindingsJson(out, DocumentOf(hostile, "games/caf\xE9 \"x\""));
  ASSERT_TRUE(out.ends_with("}\n"));
  const std::optional<Json> document = ParseJson(out);
  ASSERT_TRUE(document.has_value()) << out;
  EXPECT_EQ((*document)["tool"].text, "dwelvane");
  EXPECT_EQ((*document)["version"].text, "1.2.3");
  EXPECT_EQ((*document)["project"].text, "games/caf\xC3\xA9 \"x\"");
  const std::vector<Json>& findings = (*document)["findings"].items;
  ASSERT_EQ(findings.size(), hostile.size());
  for (std::size_t i = 0; i < hostile.size(); ++i) {
    const Hostile& h = hostile[i];
    const Json& f = findings[i];
    SCOPED_TRACE(h.path_utf8);
    EXPECT_EQ(f["kind"].text, FindingKindName(h.finding.kind));
    EXPECT_EQ(f["severity"].text, h.error ? "error" : "warning");
    EXPECT_EQ(f["file"].text, h.path_utf8);
    EXPECT_EQ(f["line"].number, static_cast<double>(h.finding.line));
    EXPECT_EQ(f["column"].number, 1);
    EXPECT_EQ(f["message"].text, ExpectedMessage(h));
    EXPECT_EQ(f["hint"].text, FindingKindHint(h.finding.kind));
    EXPECT_EQ(f["text"].text, h.line_text_utf8);
  }
}

TEST(FindingFormatsTest, JsonOfNoFindingsHasAnEmptyList) {
  std::string out;
  AppendFindingsJson(out, {.version = "1", .project = "p"});
  const std::optional<Json> document = ParseJson(out);
  ASSERT_TRUE(document.has_value()) << out;
  EXPECT_EQ((*document)["findings"].type, Json::Type::kArray);
  EXPECT_TRUE((*document)["findings"].items.empty());
}

// "%XX" back to its byte; nothing when a "%" has no two hex digits after it.
std::optional<std::string> PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) {
      return std::nullopt;
    }
    const std::string hex(text.substr(i + 1, 2));
    if (hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
      return std::nullopt;
    }
    out.push_back(static_cast<char>(std::stoi(hex, nullptr, 16)));
    i += 2;
  }
  return out;
}

// The rules of SARIF 2.1.0 the readers of code scanning results rely on.
void ExpectSarifShape(const Json& log, const std::vector<Hostile>& hostile) {
  EXPECT_EQ(log["version"].text, "2.1.0");
  EXPECT_EQ(log["$schema"].text, "https://json.schemastore.org/sarif-2.1.0.json");
  ASSERT_EQ(log["runs"].items.size(), 1u);
  const Json& run = log["runs"].items[0];
  const Json& driver = run["tool"]["driver"];
  EXPECT_EQ(driver["name"].text, "dwelvane");
  EXPECT_EQ(driver["version"].text, "1.2.3");
  const std::vector<Json>& rules = driver["rules"].items;
  ASSERT_EQ(rules.size(), kFindingKindCount);
  for (std::size_t index = 0; index < rules.size(); ++index) {
    const auto kind = static_cast<FindingKind>(index);
    EXPECT_EQ(rules[index]["id"].text, FindingKindName(kind));
    EXPECT_FALSE(rules[index]["shortDescription"]["text"].text.empty());
    EXPECT_EQ(rules[index]["help"]["text"].text, FindingKindHint(kind));
  }
  const std::vector<Json>& results = run["results"].items;
  ASSERT_EQ(results.size(), hostile.size());
  for (std::size_t i = 0; i < results.size(); ++i) {
    const Json& result = results[i];
    const Hostile& h = hostile[i];
    SCOPED_TRACE(h.path_utf8);
    const auto rule = static_cast<std::size_t>(result["ruleIndex"].number);
    ASSERT_LT(rule, rules.size());
    EXPECT_EQ(rules[rule]["id"].text, result["ruleId"].text);
    EXPECT_EQ(result["ruleId"].text, FindingKindName(h.finding.kind));
    EXPECT_EQ(result["level"].text, h.error ? "error" : "warning");
    EXPECT_EQ(result["message"]["text"].text, ExpectedMessage(h));
    ASSERT_EQ(result["locations"].items.size(), 1u);
    const Json& location = result["locations"].items[0]["physicalLocation"];
    const std::string& uri = location["artifactLocation"]["uri"].text;
    EXPECT_EQ(location["artifactLocation"]["uriBaseId"].text, "%SRCROOT%");
    EXPECT_FALSE(uri.starts_with('/'));
    EXPECT_EQ(uri.find_first_of(": #?\\"), std::string::npos) << uri;
    for (const char c : uri) {
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << uri;
    }
    EXPECT_EQ(PercentDecoded(uri), std::string(h.path_utf8));
    EXPECT_GE(location["region"]["startLine"].number, 1);
    EXPECT_EQ(location["region"]["startLine"].number, static_cast<double>(h.finding.line));
  }
}

TEST(FindingFormatsTest, SarifKeepsTheRulesThatMatter) {
  const std::vector<Hostile> hostile = HostileFindings();
  struct Case {
    std::string_view project;
    std::optional<std::string_view> root;
  };
  const Case cases[] = {
      {"/home/me/My Game #2/", "file:///home/me/My%20Game%20%232/"},
      {"/srv/caf\xE9", "file:///srv/caf%C3%A9/"},
      {"C:\\Games\\Quest", "file:///C:/Games/Quest/"},
      {"games/quest", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.project);
    std::string out;
    AppendFindingsSarif(out, DocumentOf(hostile, c.project));
    const std::optional<Json> log = ParseJson(out);
    ASSERT_TRUE(log.has_value()) << out;
    ExpectSarifShape(*log, hostile);
    const Json& bases = (*log)["runs"].items[0]["originalUriBaseIds"];
    EXPECT_EQ(bases.Has("%SRCROOT%"), c.root.has_value());
    if (c.root.has_value()) {
      EXPECT_EQ(bases["%SRCROOT%"]["uri"].text, *c.root);
    }
  }
}

// A workflow command's property value or message back to its text.
std::string WorkflowUnescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::string_view rest = text.substr(i);
    const std::pair<std::string_view, char> escapes[] = {
        {"%25", '%'}, {"%0D", '\r'}, {"%0A", '\n'}, {"%3A", ':'}, {"%2C", ','}};
    bool escaped = false;
    for (const auto& [code, c] : escapes) {
      if (rest.starts_with(code)) {
        out.push_back(c);
        i += 2;
        escaped = true;
        break;
      }
    }
    if (!escaped) {
      out.push_back(text[i]);
    }
  }
  return out;
}

TEST(FindingFormatsTest, GithubCommandsUnescapeToTheFindings) {
  const std::vector<Hostile> hostile = HostileFindings();
  std::string out;
  AppendFindingsGithub(out, DocumentOf(hostile, "p"));
  ASSERT_TRUE(out.ends_with('\n'));
  std::vector<std::string_view> lines;
  for (std::string_view rest = out; !rest.empty();) {
    const std::size_t end = rest.find('\n');
    lines.push_back(rest.substr(0, end));
    rest.remove_prefix(end + 1);
  }
  ASSERT_EQ(lines.size(), hostile.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Hostile& h = hostile[i];
    std::string_view line = lines[i];
    SCOPED_TRACE(line);
    EXPECT_EQ(line.find('\r'), std::string_view::npos);
    const std::string prefix = h.error ? "::error " : "::warning ";
    ASSERT_TRUE(line.starts_with(prefix));
    line.remove_prefix(prefix.size());
    // No property holds a ":", so the first "::" ends them.
    const std::size_t end = line.find("::");
    ASSERT_NE(end, std::string_view::npos);
    std::string_view properties = line.substr(0, end);
    const std::string_view message = line.substr(end + 2);
    std::vector<std::string_view> values;
    for (const std::string_view name : {"file=", "line=", "title="}) {
      ASSERT_TRUE(properties.starts_with(name)) << properties;
      properties.remove_prefix(name.size());
      const std::size_t comma = properties.find(',');
      values.push_back(properties.substr(0, comma));
      properties.remove_prefix(comma == std::string_view::npos ? properties.size() : comma + 1);
    }
    EXPECT_TRUE(properties.empty());
    EXPECT_EQ(WorkflowUnescaped(values[0]), h.path_utf8);
    EXPECT_EQ(values[1], std::to_string(h.finding.line));
    EXPECT_EQ(values[2], FindingKindName(h.finding.kind));
    EXPECT_EQ(WorkflowUnescaped(message),
              ExpectedMessage(h) + "\n" + std::string(FindingKindHint(h.finding.kind)));
  }
}

}  // namespace
}  // namespace dwelvane

#include "dialogue/finding_formats.h"

#include <cstddef>
#include <cstdint>

#include "runtime/json_text.h"
#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

std::string TextAsUtf8(std::string_view text) {
  std::string utf8;
  AppendAsUtf8(utf8, text, DetectEncoding(text));
  return utf8;
}

std::string PathAsUtf8(std::string_view path) {
  std::string utf8;
  AppendPathAsUtf8(utf8, path);
  return utf8;
}

// A finding's texts in UTF-8, each from its own encoding: a path named on Linux may lead to
// a script written on Windows.
struct Utf8Finding {
  explicit Utf8Finding(const Finding& source)
      : path(PathAsUtf8(source.path)),
        subject(TextAsUtf8(source.subject)),
        earlier_path(PathAsUtf8(source.earlier_path)) {
    finding = source;
    finding.path = path;
    finding.subject = subject;
    finding.earlier_path = earlier_path;
  }
  Utf8Finding(const Utf8Finding&) = delete;  // the finding points into this one's texts

  std::string Message() const {
    std::string message;
    AppendFindingMessage(message, finding);
    return message;
  }

  std::string path;
  std::string subject;
  std::string earlier_path;
  Finding finding;
};

std::string_view SeverityName(const ReportedFinding& reported) {
  return reported.error ? "error" : "warning";
}

void AppendJsonMember(std::string& out, std::string_view name, std::string_view value) {
  AppendJsonString(out, name);
  out.push_back(':');
  AppendJsonString(out, value);
}

void AppendJsonNumberMember(std::string& out, std::string_view name, std::int64_t value) {
  AppendJsonString(out, name);
  out.push_back(':');
  AppendNumberText(out, value);
}

void AppendJsonFinding(std::string& out, const ReportedFinding& reported) {
  const Utf8Finding finding(*reported.finding);
  out.push_back('{');
  AppendJsonMember(out, "kind", FindingKindName(finding.finding.kind));
  out.push_back(',');
  AppendJsonMember(out, "severity", SeverityName(reported));
  out.push_back(',');
  AppendJsonMember(out, "file", finding.path);
  out.push_back(',');
  AppendJsonNumberMember(out, "line", finding.finding.line);
  out.append(",\"column\":1,");
  AppendJsonMember(out, "message", finding.Message());
  out.push_back(',');
  AppendJsonMember(out, "hint", FindingKindHint(finding.finding.kind));
  out.push_back(',');
  AppendJsonMember(out, "text", TextAsUtf8(reported.line_text));
  out.push_back('}');
}

// What a SARIF rule says of its kind in a few words.
std::string_view RuleDescription(FindingKind kind) {
  switch (kind) {
    case FindingKind::kMissingAudio:
      return "A line names an audio file the project does not have.";
    case FindingKind::kUnknownReference:
      return "A line names an ID the string table does not have.";
    case FindingKind::kNoSentence:
      return "A talk call has no text literal to voice.";
    case FindingKind::kAudioReused:
      return "One audio file is used for different sentences.";
    case FindingKind::kReferenceReused:
      return "One ID is used for different sentences.";
    case FindingKind::kBrokenLiteral:
      return "A text literal the engine refuses.";
    case FindingKind::kChoiceNotVoiced:
      return "A choice that no talk call says.";
    case FindingKind::kUntranslated:
      return "An ID without a translation for the language.";
    case FindingKind::kStaleTranslation:
      return "A translation of a text that has changed since.";
    case FindingKind::kOrphan:
      return "A language table's ID that no line says.";
    case FindingKind::kFormatMismatch:
      return "A translation that loses the format codes of its source.";
    case FindingKind::kUnusedAudio:
      return "A sound file in a voice folder that no line names.";
  }
  return {};
}

bool IsUnreservedInUri(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

// `path`'s UTF-8 bytes percent-encoded but for the unreserved ones and "/"; ":" stays where
// `keep_colon` says, for a drive letter in an absolute URI (in a relative reference, one
// before the first "/" would read as a scheme).
void AppendUriPath(std::string& out, std::string_view path, bool keep_colon) {
  constexpr std::string_view kHexDigits = "0123456789ABCDEF";
  for (const char c : path) {
    if (IsUnreservedInUri(c) || (keep_colon && c == ':')) {
      out.push_back(c);
    } else {
      const auto byte = static_cast<unsigned char>(c);
      out.push_back('%');
      out.push_back(kHexDigits[byte >> 4]);
      out.push_back(kHexDigits[byte & 0xF]);
    }
  }
}

bool HasDriveLetter(std::string_view folder) {
  return folder.size() >= 3 && folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/');
}

// The project folder as a file URI ending in "/", or empty for a relative folder, which has
// none.
std::string ProjectFolderUri(std::string_view project) {
  std::string folder = PathAsUtf8(project);
  for (char& c : folder) {
    c = c == '\\' ? '/' : c;
  }
  if (!folder.starts_with('/') && !HasDriveLetter(folder)) {
    return {};
  }
  std::string uri = folder.starts_with('/') ? "file://" : "file:///";
  AppendUriPath(uri, folder, true);
  if (!uri.ends_with('/')) {
    uri.push_back('/');
  }
  return uri;
}

void AppendSarifRules(std::string& out) {
  out.append("\"rules\":[");
  for (std::size_t index = 0; index < kFindingKindCount; ++index) {
    const auto kind = static_cast<FindingKind>(index);
    out.append(index == 0 ? "\n" : ",\n");
    out.push_back('{');
    AppendJsonMember(out, "id", FindingKindName(kind));
    out.append(",\"shortDescription\":{");
    AppendJsonMember(out, "text", RuleDescription(kind));
    out.append("},\"help\":{");
    AppendJsonMember(out, "text", FindingKindHint(kind));
    out.append("}}");
  }
  out.append("]");
}

void AppendSarifResult(std::string& out, const ReportedFinding& reported) {
  const Utf8Finding finding(*reported.finding);
  out.push_back('{');
  AppendJsonMember(out, "ruleId", FindingKindName(finding.finding.kind));
  out.push_back(',');
  AppendJsonNumberMember(out, "ruleIndex", static_cast<std::int64_t>(finding.finding.kind));
  out.push_back(',');
  AppendJsonMember(out, "level", SeverityName(reported));
  out.append(",\"message\":{");
  AppendJsonMember(out, "text", finding.Message());
  out.append("},\"locations\":[{\"physicalLocation\":{\"artifactLocation\":{");
  std::string uri;
  AppendUriPath(uri, finding.path, false);
  AppendJsonMember(out, "uri", uri);
  out.append(",\"uriBaseId\":\"%SRCROOT%\"}");
  // A finding about a whole file has no region.
  if (finding.finding.line > 0) {
    out.append(",\"region\":{");
    AppendJsonNumberMember(out, "startLine", finding.finding.line);
    out.push_back('}');
  }
  out.append("}}]}");
}

// The escaping of a workflow command's message; a property's value escapes ":" and "," too.
void AppendWorkflowText(std::string& out, std::string_view text, bool property) {
  for (const char c : text) {
    if (c == '%') {
      out.append("%25");
    } else if (c == '\r') {
      out.append("%0D");
    } else if (c == '\n') {
      out.append("%0A");
    } else if (property && c == ':') {
      out.append("%3A");
    } else if (property && c == ',') {
      out.append("%2C");
    } else {
      out.push_back(c);
    }
  }
}

}  // namespace

void AppendFindingsJson(std::string& out, const FindingsDocument& document) {
  out.push_back('{');
  AppendJsonMember(out, "tool", "dwelvane");
  out.push_back(',');
  AppendJsonMember(out, "version", document.version);
  out.push_back(',');
  AppendJsonMember(out, "project", PathAsUtf8(document.project));
  out.append(",\"findings\":[");
  for (std::size_t index = 0; index < document.findings.size(); ++index) {
    out.append(index == 0 ? "\n" : ",\n");
    AppendJsonFinding(out, document.findings[index]);
  }
  out.append(document.findings.empty() ? "]}\n" : "\n]}\n");
}

void AppendFindingsSarif(std::string& out, const FindingsDocument& document) {
  out.append(
      "{\"$schema\":\"https://json.schemastore.org/sarif-2.1.0.json\",\"version\":\"2.1.0\","
      "\"runs\":[{\"tool\":{\"driver\":{\"name\":\"dwelvane\",");
  AppendJsonMember(out, "version", document.version);
  out.push_back(',');
  AppendSarifRules(out);
  out.append("}},");
  if (const std::string root = ProjectFolderUri(document.project); !root.empty()) {
    out.append("\"originalUriBaseIds\":{\"%SRCROOT%\":{");
    AppendJsonMember(out, "uri", root);
    out.append("}},");
  }
  out.append("\"results\":[");
  for (std::size_t index = 0; index < document.findings.size(); ++index) {
    out.append(index == 0 ? "\n" : ",\n");
    AppendSarifResult(out, document.findings[index]);
  }
  out.append("]}]}\n");
}

void AppendFindingsGithub(std::string& out, const FindingsDocument& document) {
  for (const ReportedFinding& reported : document.findings) {
    const Utf8Finding finding(*reported.finding);
    out.append("::").append(SeverityName(reported)).append(" file=");
    AppendWorkflowText(out, finding.path, true);
    if (finding.finding.line > 0) {
      AppendNumberText(out.append(",line="), finding.finding.line);
    }
    out.append(",title=");
    AppendWorkflowText(out, FindingKindName(finding.finding.kind), true);
    out.append("::");
    // The annotation shows the hint on a line of its own under the message.
    AppendWorkflowText(
        out, finding.Message() + "\n" + std::string(FindingKindHint(finding.finding.kind)), false);
    out.push_back('\n');
  }
}

}  // namespace dwelvane

// The voice budget's CSV and HTML hold a speaker's name, whatever its bytes, so that it
// reads back as it was: the CSV through a plain RFC 4180 reader (a name that starts a
// formula with a "'" before it), the page as the same tags as a page for a plain name,
// with the name's UTF-8 text, entities decoded, where the plain name stands.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogue/csv_writer.h"
#include "dialogue/speaker_report.h"
#include "fuzz_support.h"
#include "runtime/line_reader.h"
#include "runtime/text_encoding.h"

using namespace dwelvane;

namespace {

std::string Written(const std::vector<SpeakerBudget>& budgets, SpeakerFormat format,
                    std::string_view project) {
  const std::string& path = fuzz::ScratchPath("report");
  LineWriter writer;
  if (writer.FileCreate(path).Failed()) {
    __builtin_trap();
  }
  WriteSpeakerReport(budgets, format, project, writer);
  std::string bytes;
  if (writer.FileClose().Failed() || ReadWholeFile(path, bytes).Failed()) {
    __builtin_trap();
  }
  return bytes;
}

// The first field of the CSV's second record: the speaker's name.
std::optional<std::string> FirstNameInCsv(std::string_view csv) {
  const std::size_t header_end = csv.find("\r\n");
  std::string_view row = csv.substr(header_end + 2);
  std::string name;
  if (!row.starts_with('"')) {
    const std::size_t comma = row.find(',');
    return comma == std::string_view::npos ? std::nullopt
                                           : std::optional<std::string>(row.substr(0, comma));
  }
  for (std::size_t at = 1; at < row.size(); ++at) {
    if (row[at] == '"') {
      if (at + 1 < row.size() && row[at + 1] == '"') {
        name.push_back('"');
        ++at;
        continue;
      }
      return row.substr(at + 1).starts_with(",") ? std::optional<std::string>(name) : std::nullopt;
    }
    name.push_back(row[at]);
  }
  return std::nullopt;
}

struct Page {
  std::vector<std::string> tags;   // "<...>" as written
  std::vector<std::string> texts;  // between the tags, entities decoded
};

std::string DecodeEntities(std::string_view text) {
  std::string decoded;
  constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
  for (std::size_t at = 0; at < text.size();) {
    bool entity = false;
    for (const auto& [name, c] : kEntities) {
      if (text.substr(at).starts_with(name)) {
        decoded.push_back(c);
        at += name.size();
        entity = true;
        break;
      }
    }
    if (!entity) {
      decoded.push_back(text[at++]);
    }
  }
  return decoded;
}

Page ReadPage(std::string_view html) {
  Page page;
  std::size_t at = 0;
  while (at < html.size()) {
    const std::size_t open = html.find('<', at);
    page.texts.push_back(DecodeEntities(html.substr(at, open - at)));
    if (open == std::string_view::npos) {
      break;
    }
    const std::size_t close = html.find('>', open);
    page.tags.emplace_back(html.substr(open, close - open + 1));
    at = close == std::string_view::npos ? html.size() : close + 1;
  }
  return page;
}

std::vector<SpeakerBudget> BudgetsOf(std::string_view name) {
  return {{.speaker = std::string(name),
           .lines = 2,
           .words = 9,
           .lines_with_audio = 1,
           .lines_without_audio = 1,
           .words_with_audio = 4},
          {.speaker = "total",
           .lines = 2,
           .words = 9,
           .lines_with_audio = 1,
           .lines_without_audio = 1,
           .words_with_audio = 4}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The name, and after a zero byte the project's name.
  const std::string_view text = fuzz::AsText(data, size);
  const std::size_t zero = text.find('\0');
  const std::string_view name = text.substr(0, zero);
  const std::string_view project =
      zero == std::string_view::npos ? std::string_view("P") : text.substr(zero + 1);
  if (name.empty() || project.empty()) {
    return 0;
  }

  const auto read = FirstNameInCsv(Written(BudgetsOf(name), SpeakerFormat::kCsv, project));
  const std::string expected = (StartsFormula(name.front()) ? "'" : "") + std::string(name);
  if (!read || *read != expected) {
    __builtin_trap();
  }

  const Page page = ReadPage(Written(BudgetsOf(name), SpeakerFormat::kHtml, project));
  const Page plain = ReadPage(Written(BudgetsOf("X"), SpeakerFormat::kHtml, "P"));
  if (page.tags != plain.tags || page.texts.size() != plain.texts.size()) {
    __builtin_trap();
  }
  std::string name_utf8;
  AppendAsUtf8(name_utf8, name, DetectEncoding(name));
  std::string project_utf8;
  AppendAsUtf8(project_utf8, project, DetectEncoding(project));
  for (std::size_t i = 0; i < plain.texts.size(); ++i) {
    std::string want = plain.texts[i];
    if (want == "X") {
      want = name_utf8;
    } else if (want.ends_with(" - P")) {
      want = want.substr(0, want.size() - 1) + project_utf8;
    } else if (want.ends_with(": P")) {
      want = want.substr(0, want.size() - 1) + project_utf8;
    }
    if (page.texts[i] != want) {
      __builtin_trap();
    }
  }
  return 0;
}

#include "dialogue/speaker_report.h"

#include <algorithm>
#include <string>

#include "dialogue/csv_writer.h"
#include "dialogue/html_text.h"
#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

struct NumberColumn {
  std::string_view heading;
  std::int64_t SpeakerBudget::*count;
};

constexpr NumberColumn kNumberColumns[] = {
    {"lines", &SpeakerBudget::lines},
    {"words", &SpeakerBudget::words},
    {"with audio", &SpeakerBudget::lines_with_audio},
    {"without audio", &SpeakerBudget::lines_without_audio},
    {"recorded", &SpeakerBudget::lines_recorded},
};

std::string Number(std::int64_t number) {
  std::string text;
  AppendNumberText(text, number);
  return text;
}

// The columns a name takes on a terminal: its characters when it is UTF-8, else its bytes.
std::size_t ShownWidth(std::string_view name) {
  if (DetectEncoding(name) != SourceEncoding::kUtf8) {
    return name.size();
  }
  return static_cast<std::size_t>(std::count_if(name.begin(), name.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

void Pad(std::string& line, std::size_t width, std::size_t used) {
  line.append(width > used ? width - used : 0, ' ');
}

void WriteText(std::span<const SpeakerBudget> budgets, LineWriter& writer) {
  std::size_t name_width = std::string_view("speaker").size();
  for (const SpeakerBudget& budget : budgets) {
    name_width = std::max(name_width, ShownWidth(budget.speaker));
  }
  std::string line = "speaker";
  Pad(line, name_width, line.size());
  for (const NumberColumn& column : kNumberColumns) {
    line.append("  ").append(column.heading);
  }
  writer.FileWriteLine(line);
  for (const SpeakerBudget& budget : budgets) {
    line = budget.speaker;
    Pad(line, name_width, ShownWidth(budget.speaker));
    for (const NumberColumn& column : kNumberColumns) {
      const std::string number = Number(budget.*column.count);
      line.append("  ");
      Pad(line, column.heading.size(), number.size());
      line.append(number);
    }
    writer.FileWriteLine(line);
  }
}

// Quoted only where the field needs it; a name that would start a formula is made safe.
void AppendCsvField(std::string& line, std::string_view field) {
  std::string cell;
  AppendFormulaSafeCell(cell, field);
  if (cell.find_first_of(",\"\r\n") == std::string::npos) {
    line.append(cell);
    return;
  }
  line.push_back('"');
  for (const char c : cell) {
    line.append(c == '"' ? 2 : 1, c);
  }
  line.push_back('"');
}

void WriteCsv(std::span<const SpeakerBudget> budgets, LineWriter& writer) {
  writer.FileWriteLine("speaker,lines,words,with_audio,without_audio,recorded");
  std::string line;
  for (const SpeakerBudget& budget : budgets) {
    line.clear();
    AppendCsvField(line, budget.speaker);
    for (const NumberColumn& column : kNumberColumns) {
      line.push_back(',');
      AppendNumberText(line, budget.*column.count);
    }
    writer.FileWriteLine(line);
  }
}

std::string HtmlText(std::string_view bytes) {
  std::string utf8;
  AppendAsUtf8(utf8, bytes, DetectEncoding(bytes));
  std::string escaped;
  AppendHtmlText(escaped, utf8);
  return escaped;
}

// A share of the longest bar, in percent with one decimal.
std::string Percent(std::int64_t part, std::int64_t whole) {
  const std::int64_t tenths = whole > 0 ? (part * 1000 + whole / 2) / whole : 0;
  return Number(tenths / 10) + "." + Number(tenths % 10) + "%";
}

constexpr std::string_view kPageStart =
    "<!DOCTYPE html>\n"
    "<html lang=\"en\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<title>Words per speaker";

constexpr std::string_view kStyle =
    "<style>\n"
    "body { font-family: sans-serif; margin: 2em; color: #222; }\n"
    "h1 { font-size: 1.4em; margin-bottom: 0.2em; }\n"
    "table { border-collapse: collapse; width: 100%; }\n"
    "th, td { padding: 0.3em 0.6em; border-bottom: 1px solid #ddd; text-align: left; }\n"
    "td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; }\n"
    "td.bar { width: 40%; }\n"
    ".recorded, .with, .without { display: inline-block; height: 0.9em; vertical-align: "
    "middle; }\n"
    ".recorded { background: #2f8f4e; }\n"
    ".with { background: #2f6fae; }\n"
    ".without { background: #e0a030; }\n"
    "tfoot td { font-weight: bold; border-top: 2px solid #888; }\n"
    ".key { display: inline-block; width: 1em; height: 0.9em; margin: 0 0.3em 0 1em; }\n"
    "@media print { body { margin: 0; } .recorded, .with, .without, .key { print-color-adjust: "
    "exact; "
    "-webkit-print-color-adjust: exact; } }\n"
    "</style>\n"
    "</head>\n"
    "<body>\n";

void WriteRow(const SpeakerBudget& budget, std::int64_t most_words, std::string_view cell,
              LineWriter& writer) {
  std::string row =
      "<tr><" + std::string(cell) + ">" + HtmlText(budget.speaker) + "</" + std::string(cell) + ">";
  for (const NumberColumn& column : kNumberColumns) {
    row.append("<td class=\"n\">").append(Number(budget.*column.count)).append("</td>");
  }
  row.append("<td class=\"bar\"><span class=\"recorded\" style=\"width:")
      .append(Percent(budget.words_recorded, most_words))
      .append("\"></span><span class=\"with\" style=\"width:")
      .append(Percent(budget.words_with_audio - budget.words_recorded, most_words))
      .append("\"></span><span class=\"without\" style=\"width:")
      .append(Percent(budget.words - budget.words_with_audio, most_words))
      .append("\"></span></td></tr>");
  writer.FileWriteLine(row);
}

void WriteHtml(std::span<const SpeakerBudget> budgets, std::string_view project_name,
               LineWriter& writer) {
  const SpeakerBudget& total = budgets.back();
  const auto speakers = budgets.first(budgets.size() - 1);
  const std::int64_t most_words = speakers.empty() ? 0 : speakers.front().words;
  writer.WriteBytes(kPageStart);
  writer.WriteBytes(project_name.empty() ? "" : " - " + HtmlText(project_name));
  writer.WriteBytes("</title>\n");
  writer.WriteBytes(kStyle);
  writer.FileWriteLine("<h1>Words per speaker" +
                       (project_name.empty() ? "" : ": " + HtmlText(project_name)) + "</h1>");
  writer.FileWriteLine("<p>" + Number(total.lines) + " lines, " + Number(total.words) + " words, " +
                       Number(total.lines_with_audio) + " lines with audio, " +
                       Number(total.lines_recorded) + " recorded.</p>");
  writer.FileWriteLine(
      "<table>\n<thead><tr><th>Speaker</th><th class=\"n\">Lines</th><th class=\"n\">Words</th>"
      "<th class=\"n\">With audio</th><th class=\"n\">Without audio</th><th "
      "class=\"n\">Recorded</th>"
      "<th>Words</th></tr>"
      "</thead>\n<tbody>");
  for (const SpeakerBudget& budget : speakers) {
    WriteRow(budget, most_words, "td", writer);
  }
  writer.FileWriteLine("</tbody>\n<tfoot>");
  WriteRow(total, 0, "td", writer);
  writer.FileWriteLine("</tfoot>\n</table>");
  writer.FileWriteLine(
      "<p><span class=\"key recorded\"></span>words recorded"
      "<span class=\"key with\"></span>words in lines with audio not yet recorded"
      "<span class=\"key without\"></span>words in lines without audio</p>\n</body>\n</html>");
}

}  // namespace

void WriteSpeakerReport(std::span<const SpeakerBudget> budgets, SpeakerFormat format,
                        std::string_view project_name, LineWriter& writer) {
  switch (format) {
    case SpeakerFormat::kText:
      WriteText(budgets, writer);
      break;
    case SpeakerFormat::kCsv:
      WriteCsv(budgets, writer);
      break;
    case SpeakerFormat::kHtml:
      WriteHtml(budgets, project_name, writer);
      break;
  }
}

}  // namespace dwelvane

#include "voice/recording_page.h"

#include "dialogue/html_text.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

constexpr std::int64_t kWordsPerMinute = 150;

constexpr std::string_view kStyle =
    "<style>\n"
    "body { font-family: sans-serif; margin: 2em; color: #222; }\n"
    "h1 { font-size: 1.4em; margin-bottom: 0.2em; }\n"
    "h2 { font-size: 1.2em; margin: 2em 0 0.3em; padding-top: 0.5em; border-top: 2px solid "
    "#888; }\n"
    "h3 { font-size: 1em; margin: 1.2em 0 0.3em; color: #555; }\n"
    "table { border-collapse: collapse; width: 100%; }\n"
    "th, td { padding: 0.3em 0.6em; border-bottom: 1px solid #ddd; text-align: left; "
    "vertical-align: top; }\n"
    "td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; }\n"
    "td.bar { width: 30%; }\n"
    ".done { display: inline-block; height: 0.9em; background: #2f8f4e; vertical-align: "
    "middle; }\n"
    ".share { display: inline-block; width: 100%; background: #e6e6e6; }\n"
    // The lines' tables: columns of fixed widths, so that every chunk of a group lines up;
    // "m" and "r" rows are missing and recorded, "c" the cue, "d" the direction, "p" the
    // place. A chunk off screen is laid out only when it comes into view, so that a page
    // of tens of thousands of lines opens at once.
    "table.lines { table-layout: fixed; }\n"
    ".lines tr > :first-child { width: 3em; text-align: right; }\n"
    ".lines tr > :nth-child(3) { width: 4em; text-align: right; }\n"
    ".lines tr > :last-child { width: 5em; }\n"
    ".lines p { margin: 0; }\n"
    ".lines tr.m td:last-child { color: #b03020; font-weight: bold; }\n"
    ".lines tr.r td:last-child { color: #2f8f4e; }\n"
    ".c { color: #666; font-size: 0.9em; }\n"
    ".d { font-style: italic; }\n"
    ".t { font-size: 1.1em; }\n"
    ".p { font-family: monospace; font-size: 0.85em; color: #555; }\n"
    ".chunk { content-visibility: auto; contain-intrinsic-size: auto 7000px; }\n"
    "section { break-before: page; page-break-before: always; }\n"
    "@media print { h2 { margin-top: 0; border-top: none; } }\n"
    "tr { break-inside: avoid; }\n"
    "@media print { body { margin: 0; } .done, .share { print-color-adjust: exact; "
    "-webkit-print-color-adjust: exact; } }\n"
    "</style>\n";

void AppendNumber(std::string& out, std::int64_t number) {
  AppendNumberText(out, number);
}

std::string_view NameShown(const RecordingRole& role) {
  return role.character.empty() ? std::string_view("(no character)") : role.character;
}

void AppendRoleAnchor(std::string& out, std::size_t index) {
  out.append("c");
  AppendNumber(out, static_cast<std::int64_t>(index + 1));
}

}  // namespace

std::int64_t EstimatedMinutes(std::int64_t words) {
  return (words + kWordsPerMinute - 1) / kWordsPerMinute;
}

void RecordingPage::Start(std::string_view project_name, std::span<const RecordingRole> roles) {
  out_.append(
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>Recording script");
  if (!project_name.empty()) {
    AppendHtmlText(out_.append(" - "), project_name);
  }
  out_.append("</title>\n").append(kStyle).append("</head>\n<body>\n<h1>Recording script");
  if (!project_name.empty()) {
    AppendHtmlText(out_.append(": "), project_name);
  }
  out_.append("</h1>\n");
  std::int64_t lines = 0;
  std::int64_t words = 0;
  std::int64_t recorded = 0;
  for (const RecordingRole& role : roles) {
    lines += static_cast<std::int64_t>(role.records.size());
    words += role.words;
    recorded += static_cast<std::int64_t>(role.recorded);
  }
  out_.append("<p>");
  AppendRoleFigures(lines, words, recorded);
  out_.append(
      "</p>\n<p>Minutes are estimated at 150 words a minute (words / 150, rounded up).</p>\n");
  if (roles.empty()) {
    out_.append("<p>No character says a line.</p>\n");
    return;
  }
  out_.append(
      "<table>\n<thead><tr><th>Character</th><th class=\"n\">Lines</th>"
      "<th class=\"n\">Words</th><th class=\"n\">Minutes</th><th class=\"n\">Recorded</th>"
      "<th>Recorded share</th></tr></thead>\n<tbody>\n");
  for (std::size_t i = 0; i < roles.size(); ++i) {
    const RecordingRole& role = roles[i];
    const auto role_lines = static_cast<std::int64_t>(role.records.size());
    out_.append("<tr><td><a href=\"#");
    AppendRoleAnchor(out_, i);
    out_.append("\">");
    AppendHtmlText(out_, NameShown(role));
    out_.append("</a></td><td class=\"n\">");
    AppendNumber(out_, role_lines);
    out_.append("</td><td class=\"n\">");
    AppendNumber(out_, role.words);
    out_.append("</td><td class=\"n\">");
    AppendNumber(out_, EstimatedMinutes(role.words));
    out_.append("</td><td class=\"n\">");
    AppendNumber(out_, static_cast<std::int64_t>(role.recorded));
    out_.append("</td><td class=\"bar\">");
    AppendShareBar(static_cast<std::int64_t>(role.recorded), role_lines);
    out_.append("</td></tr>\n");
  }
  out_.append("</tbody>\n</table>\n");
}

void RecordingPage::StartRole(const RecordingRole& role, std::size_t index) {
  out_.append("<section id=\"");
  AppendRoleAnchor(out_, index);
  out_.append("\">\n<h2>");
  AppendHtmlText(out_, NameShown(role));
  out_.append("</h2>\n<p>");
  AppendRoleFigures(static_cast<std::int64_t>(role.records.size()), role.words,
                    static_cast<std::int64_t>(role.recorded));
  out_.append("</p>\n");
  in_group_ = false;
}

void RecordingPage::AddLine(const RecordingLine& line, std::string_view group) {
  if (!in_group_ || group != group_) {
    CloseGroup();
    out_.append("<h3>");
    AppendHtmlText(out_, group.empty() ? std::string_view("(project folder)") : group);
    out_.append(
        "</h3>\n<div class=\"chunk\"><table class=\"lines\">\n<thead><tr><th>#</th>"
        "<th>Line</th><th>Words</th><th>Status</th></tr></thead>\n<tbody>\n");
    group_ = group;
    in_group_ = true;
    lines_in_chunk_ = 0;
  } else if (lines_in_chunk_ == kLinesPerChunk) {
    out_.append(
        "</tbody>\n</table></div>\n<div class=\"chunk\"><table class=\"lines\">\n"
        "<tbody>\n");
    lines_in_chunk_ = 0;
  }
  ++lines_in_chunk_;
  out_.append(line.recorded ? "<tr class=\"r\"><td>" : "<tr class=\"m\"><td>");
  AppendNumber(out_, static_cast<std::int64_t>(line.number));
  out_.append("</td><td>");
  if (!line.cue.empty()) {
    out_.append("<p class=\"c\">");
    AppendHtmlText(out_, line.cue_character);
    out_.append(": ");
    AppendHtmlText(out_, line.cue, true);
    out_.append("</p>");
  }
  if (!line.direction.empty()) {
    out_.append("<p class=\"d\">(");
    AppendHtmlText(out_, line.direction);
    out_.append(")</p>");
  }
  out_.append("<p class=\"t\">");
  AppendHtmlText(out_, line.text, true);
  out_.append("</p><p class=\"p\">");
  if (!line.id.empty()) {
    AppendHtmlText(out_.append("ID "), line.id);
    out_.append(" \xC2\xB7 ");
  }
  if (!line.audio.empty()) {
    AppendHtmlText(out_.append("audio "), line.audio);
    out_.append(" \xC2\xB7 ");
  }
  AppendHtmlText(out_, line.file);
  out_.append(":");
  AppendNumber(out_, line.line);
  out_.append("</p></td><td>");
  AppendNumber(out_, line.words);
  out_.append(line.recorded ? "</td><td>recorded</td></tr>\n" : "</td><td>missing</td></tr>\n");
}

void RecordingPage::EndRole() {
  CloseGroup();
  out_.append("</section>\n");
}

void RecordingPage::End() {
  out_.append("</body>\n</html>\n");
}

void RecordingPage::AppendRoleFigures(std::int64_t lines, std::int64_t words,
                                      std::int64_t recorded) {
  AppendNumber(out_, lines);
  out_.append(lines == 1 ? " line, " : " lines, ");
  AppendNumber(out_, words);
  out_.append(words == 1 ? " word, about " : " words, about ");
  AppendNumber(out_, EstimatedMinutes(words));
  out_.append(EstimatedMinutes(words) == 1 ? " minute; " : " minutes; ");
  AppendNumber(out_, recorded);
  out_.append(" recorded.");
}

// The bar's filled part is the share in percent with one decimal.
void RecordingPage::AppendShareBar(std::int64_t part, std::int64_t whole) {
  const std::int64_t tenths = whole > 0 ? (part * 1000 + whole / 2) / whole : 0;
  out_.append("<span class=\"share\"><span class=\"done\" style=\"width:");
  AppendNumber(out_, tenths / 10);
  out_.append(".");
  AppendNumber(out_, tenths % 10);
  // Tidy and some printers drop an empty element: a blank of no width keeps it.
  out_.append("%\">&nbsp;</span></span>");
}

void RecordingPage::CloseGroup() {
  if (in_group_) {
    out_.append("</tbody>\n</table></div>\n");
    in_group_ = false;
  }
}

}  // namespace dwelvane

// The speakers' report on any name: the CSV's name field reads back as the name, with a "'"
// before one that starts a formula; the page is UTF-8 and has as many tags as the page for a
// plain name, so that no name adds markup.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogue/csv_writer.h"
#include "dialogue/speaker_report.h"
#include "fuzz_support.h"
#include "runtime/line_reader.h"
#include "runtime/text_encoding.h"

using namespace dwelvane;

namespace {

std::string Written(std::string_view name, SpeakerFormat format) {
  const std::vector<SpeakerBudget> budgets = {
      {.speaker = std::string(name), .lines = 2, .words = 9, .lines_with_audio = 1},
      {.speaker = "total", .lines = 2, .words = 9, .lines_with_audio = 1}};
  const std::string& path = fuzz::ScratchPath("report");
  LineWriter writer;
  std::string bytes;
  if (writer.FileCreate(path).Failed()) {
    __builtin_trap();
  }
  WriteSpeakerReport(budgets, format, "P", writer);
  if (writer.FileClose().Failed() || ReadWholeFile(path, bytes).Failed()) {
    __builtin_trap();
  }
  return bytes;
}

// The first field of the CSV's second record, RFC 4180 quotes undone.
std::string FirstFieldOfSecondRecord(std::string_view csv) {
  const std::string_view row = csv.substr(csv.find("\r\n") + 2);
  if (!row.starts_with('"')) {
    return std::string(row.substr(0, row.find(',')));
  }
  std::string field;
  for (std::size_t at = 1; at + 1 < row.size() && (row[at] != '"' || row[at + 1] == '"'); ++at) {
    at += row[at] == '"' ? 1 : 0;
    field.push_back(row[at]);
  }
  return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view name = fuzz::AsText(data, size);
  if (name.empty()) {
    return 0;
  }
  const std::string expected = (StartsFormula(name.front()) ? "'" : "") + std::string(name);
  const std::string page = Written(name, SpeakerFormat::kHtml);
  const std::string plain = Written("X", SpeakerFormat::kHtml);
  if (FirstFieldOfSecondRecord(Written(name, SpeakerFormat::kCsv)) != expected ||
      DetectEncoding(page) == SourceEncoding::kWindows1252 ||
      std::count(page.begin(), page.end(), '<') != std::count(plain.begin(), plain.end(), '<')) {
    __builtin_trap();
  }
  return 0;
}

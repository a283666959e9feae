#pragma once

#include <span>
#include <string_view>

#include "dialogue/speaker_budget.h"
#include "runtime/line_writer.h"

namespace dwelvane {

enum class SpeakerFormat { kText, kCsv, kHtml };

// The budgets (the total last) as an aligned table, as CSV (RFC 4180: a header row
// "speaker,lines,words,with_audio,without_audio", comma, CR LF), or as one self-contained
// HTML page with a bar per speaker. Names are written as they are; the page, which is
// UTF-8, takes them as UTF-8 when they are valid, else as Windows-1252.
void WriteSpeakerReport(std::span<const SpeakerBudget> budgets, SpeakerFormat format,
                        std::string_view project_name, LineWriter& writer);

}  // namespace dwelvane

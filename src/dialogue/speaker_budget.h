#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/dialogue_record.h"
#include "dialogue/project_file_index.h"
#include "runtime/text_encoding.h"

namespace dwelvane {

// What one speaker says in the table: the voice budget of one actor.
struct SpeakerBudget {
  std::string speaker;  // the Speaker field without leading and trailing spaces and tabs
  std::int64_t lines = 0;
  std::int64_t words = 0;
  std::int64_t lines_with_audio = 0;
  std::int64_t lines_without_audio = 0;
  std::int64_t words_with_audio = 0;  // the words of the lines with an audio file
  std::int64_t lines_recorded = 0;    // lines whose audio file is there
  std::int64_t words_recorded = 0;
};

// Runs of bytes other than space, tab, CR and LF.
std::int64_t CountWords(std::string_view sentence);

// The table's lines grouped by speaker (or, `by_character`, by their Character), most
// words first, then by name (bytes); in UTF-8, names are grouped as their characters read,
// whatever their scripts' encodings. The last entry is the total, named "total". A line is
// recorded when `files` holds its audio file.
std::vector<SpeakerBudget> CountSpeakerBudgets(const DialogueTable& table, bool as_utf8,
                                               bool by_character = false,
                                               const ProjectFileIndex* files = nullptr);

}  // namespace dwelvane

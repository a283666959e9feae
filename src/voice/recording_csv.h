#pragma once

#include <string>
#include <string_view>

#include "voice/recording_lines.h"

namespace dwelvane {

inline constexpr std::string_view kRecordingCsvHeader =
    "character,number,id,audio,text,cue_character,cue,direction,words,status,file,line";

// The byte order mark and the header row.
void AppendRecordingCsvStart(std::string& out);
// One row: every cell quoted and safe from spreadsheets' formulas, CR LF at its end.
void AppendRecordingCsvRow(std::string& out, std::string_view character, const RecordingLine& line);

}  // namespace dwelvane

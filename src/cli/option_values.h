#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dialogue/csv_writer.h"

// The values of options that are more than a word: parsed apart from the commands, so
// that the fuzz target can hold them against simple references.
namespace dwelvane {

// --columns: keywords of kDialogueColumns, comma-separated, in any letter case and with
// spaces around them. Nothing, with the reason in `error`, for an unknown or no keyword.
std::optional<DialogueColumns> ParseColumns(std::string_view list, std::string& error);

// SOURCE_DATE_EPOCH: whole seconds from 1970 up to the last second of 9999, which the
// report's four-digit years can show; nothing for anything else.
std::optional<std::int64_t> ParseEpochSeconds(std::string_view text);

}  // namespace dwelvane

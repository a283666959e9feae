#pragma once

#include <string_view>

#include "dialogue/dialogue_record.h"

namespace dwelvane {

// The parts of one talk call, cut from the line by fixed searches; views into the line.
struct TalkLine {
  std::string_view speaker;
  std::string_view reference;
  std::string_view sentence;
  std::string_view audio_file;
  bool async = false;  // the call is TalkAsync
};

// False when the line holds no talk keyword. Missing parts of a call that doesn't have
// the usual shape are empty; nothing is trimmed or converted.
bool ParseTalkLine(std::string_view line, TalkLine& talk);

}  // namespace dwelvane

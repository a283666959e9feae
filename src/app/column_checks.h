#pragma once

#include <span>

#include "app/gadget_table.h"
#include "dialogue/csv_writer.h"

namespace dwelvane {

// The window's check box for each column of the dialogue table.
struct ColumnCheck {
  int gadget;
  bool DialogueColumns::*tick;
};

inline constexpr ColumnCheck kColumnChecks[] = {
    {gadget::kScriptLocationCheck, &DialogueColumns::script_location},
    {gadget::kScriptNameCheck, &DialogueColumns::script_name},
    {gadget::kScriptLineCheck, &DialogueColumns::script_line},
    {gadget::kSpeakerCheck, &DialogueColumns::speaker},
    {gadget::kReferenceCheck, &DialogueColumns::reference},
    {gadget::kTranslateCheck, &DialogueColumns::translation},
    {gadget::kSentenceCheck, &DialogueColumns::sentence},
    {gadget::kAudioFileCheck, &DialogueColumns::audio_file},
};
static_assert(std::size(kColumnChecks) + kCommandLineOnlyColumns == std::size(kDialogueColumns),
              "every column of the window's table has its check box");

}  // namespace dwelvane

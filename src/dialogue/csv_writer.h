#pragma once

#include <string_view>

#include "dialogue/dialogue_record.h"
#include "runtime/line_writer.h"

namespace dwelvane {

// The ticked check boxes of the dialogue tab.
struct DialogueColumns {
  bool script_location = true;
  bool script_name = true;
  bool script_line = true;
  bool speaker = true;
  bool reference = true;
  bool translation = false;  // written only together with the reference
  bool sentence = true;
  bool audio_file = true;

  // The translation is written, and so looked up, only with its reference.
  bool WritesTranslation() const { return reference && translation; }
};

// One line per record: the ticked fields in the order location, name, line, speaker,
// sentence, audio file, reference, translation; each in double quotes with inner double
// quotes doubled, joined by `separator`, ending in CR LF.
void WriteDialogueCsv(const DialogueTable& table, const DialogueColumns& columns,
                      std::string_view separator, LineWriter& writer);

}  // namespace dwelvane

#pragma once

#include "dialogue/dialogue_check.h"
#include "dialogue/dialogue_record.h"
#include "dialogue/project_file_index.h"

namespace dwelvane {

// Adds an unused-audio finding for each sound file (.ogg, .wav) of the voice folders that no
// line of `table` names, in the order of their paths. The voice folders are the folders of
// `files` that hold a file some line names, or, with `every_folder`, all of them (a
// language's voice package). A finding's path is `prefix` and the file's path in `files`,
// "/" between folders.
void FindUnusedAudio(const DialogueTable& table, const ProjectFileIndex& files, bool every_folder,
                     std::string_view prefix, Findings& findings);

}  // namespace dwelvane

#pragma once

#include <string>
#include <string_view>

namespace dwelvane {

// What follows the target's name in its temporary files' names, before the random part:
// a mark no file of the user's carries by chance, so that only ours are ever removed.
inline constexpr std::string_view kTemporaryMark = ".dwvtmp-";

// The temporary files a FileReplacement is writing now, kept where a signal handler can
// read them without allocating or locking, so that Ctrl-C, SIGTERM or SIGHUP removes them
// before the program ends.
// Registers `path`; a path too long for a slot, or one more than the slots hold, is not
// kept (it would only be left behind, as before).
void RegisterTemporaryFile(const std::string& path);
void UnregisterTemporaryFile(const std::string& path);

// Makes SIGINT, SIGTERM and SIGHUP remove the registered files, then end the program as
// the signal would have. Called once at start-up.
void RemoveTemporaryFilesOnSignals();

// Removes the temporary files of `target` (".NAME.dwvtmp-XXXXXX" beside it) that a
// process ended before it could remove them. Only files that look exactly like ours, belong to this
// user, are no link, and have not been written to for kStaleAfterSeconds are taken: a
// writer still running writes to its file all along.
void RemoveStaleTemporaryFiles(const std::string& target);
// The same for the temporary files of every file in the folder of `target`, in one pass,
// for writers of many files of one folder.
void RemoveStaleTemporaryFilesBeside(const std::string& target);
inline constexpr long kStaleAfterSeconds = 15 * 60;

namespace temporary_files_detail {

// The slots the signal handler reads: at most kSlots files, each of up to kPathSize - 1
// bytes.
inline constexpr int kSlots = 64;
inline constexpr int kPathSize = 4096;

// Calls `remove` for each registered path; safe in a signal handler.
void ForEachRegistered(void (*remove)(const char* path));

}  // namespace temporary_files_detail

}  // namespace dwelvane

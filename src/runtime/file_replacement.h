#pragma once

#include <string>

#include "runtime/platform_file.h"

namespace dwelvane {

// Writes a new version of a file without ever cutting the old one short: the bytes go to a
// temporary file in the same folder, which takes the file's place in one step only when
// every byte is written, flushed and closed. On any failure the temporary file is removed
// and the old file stays exactly as it was. A path that names no regular file (a device,
// a pipe) is written directly, as there is nothing to replace.
class FileReplacement {
 public:
  FileReplacement() = default;
  ~FileReplacement() { Abandon(); }
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Starts the new version of `path`. A new file gets the permissions `access` gives; an
  // existing one keeps its own. Fails when nothing could be created, and for a
  // write-protected file, which stays as it is (as Windows keeps it).
  // A link is followed to the file it names, unless `confined_to` names the project folder
  // the program chose `path` in: such an output must stay inside it (CheckOutputInProject).
  IoError Begin(const std::string& path,
                platform::NewFileAccess access = platform::NewFileAccess::kOrdinary,
                const std::string& confined_to = {});

  platform::FileHandle Handle() const { return file_; }

  // Puts the new version in place when `written` says every write succeeded; the first
  // failure, `written` or one here, with the old file untouched, otherwise. Failures name
  // the target.
  IoError Commit(const IoError& written);

  // Drops the new version, if one was begun.
  void Abandon();

 private:
  platform::FileHandle file_ = platform::kNoFile;
  std::string target_;
  std::string temporary_;  // empty when writing the target directly
  IoError begin_error_;    // why Begin made no file
};

// Replaces the contents of `path` with `bytes` through a FileReplacement. A crash at any
// moment leaves either the old or the new contents, never a part. A new file is readable
// by the user alone.
IoError ReplaceFileContents(const std::string& path, const std::string& bytes);

}  // namespace dwelvane

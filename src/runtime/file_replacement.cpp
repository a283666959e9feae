#include "runtime/file_replacement.h"

namespace dwelvane {

bool FileReplacement::Begin(const std::string& path, platform::NewFileAccess access) {
  Abandon();
  // A link keeps pointing at the file: the new version replaces the file it names.
  target_ = platform::ResolveLinks(path);
  if (platform::KindOfPath(target_) == platform::PathKind::kOther) {
    file_ = platform::CreateFileForWriting(target_, access);
    return file_ != platform::kNoFile;
  }
  file_ = platform::CreateFileBeside(target_, access, temporary_);
  return file_ != platform::kNoFile;
}

bool FileReplacement::Commit(bool written) {
  if (file_ == platform::kNoFile) {
    return false;
  }
  if (temporary_.empty()) {
    const bool closed = platform::CloseFile(file_);
    file_ = platform::kNoFile;
    return written && closed;
  }
  const bool synced = written && platform::SyncFile(file_);
  const bool closed = platform::CloseFile(file_);
  file_ = platform::kNoFile;
  if (!synced || !closed || !platform::RenameFile(temporary_, target_)) {
    platform::RemoveFile(temporary_);
    temporary_.clear();
    return false;
  }
  temporary_.clear();
  platform::SyncFolderOf(target_);
  return true;
}

void FileReplacement::Abandon() {
  if (file_ != platform::kNoFile) {
    // The new version is dropped, so a failed close loses nothing.
    static_cast<void>(platform::CloseFile(file_));
    file_ = platform::kNoFile;
  }
  if (!temporary_.empty()) {
    platform::RemoveFile(temporary_);
    temporary_.clear();
  }
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
  FileReplacement replacement;
  return replacement.Begin(path, platform::NewFileAccess::kPrivate) &&
         replacement.Commit(
             platform::WriteToFile(replacement.Handle(), bytes.data(), bytes.size()));
}

}  // namespace dwelvane

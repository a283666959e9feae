#include "runtime/file_replacement.h"

#include "runtime/project_bounds.h"
#include "runtime/temporary_files.h"

namespace dwelvane {

IoError FileReplacement::Begin(const std::string& path, platform::NewFileAccess access,
                               const std::string& confined_to) {
  Abandon();
  begin_error_ = confined_to.empty() ? IoError{} : CheckOutputInProject(path, confined_to);
  // A link keeps pointing at the file: the new version replaces the file it names.
  target_ = confined_to.empty() ? platform::ResolveLinks(path) : path;
  if (!begin_error_.Failed() && platform::IsWriteProtected(target_)) {
    begin_error_ = {IoOperation::kCreate, target_, kReadOnly};
  }
  if (begin_error_.Failed()) {
    return begin_error_;
  }
  const bool direct = platform::KindOfPath(target_) == platform::PathKind::kOther;
  if (!direct) {
    RemoveStaleTemporaryFiles(target_);
  }
  const platform::OpenedFile opened = direct
                                          ? platform::CreateFileForWriting(target_, access)
                                          : platform::CreateFileBeside(target_, access, temporary_);
  if (!temporary_.empty()) {
    RegisterTemporaryFile(temporary_);
  }
  file_ = opened.handle;
  begin_error_ = opened.error;
  return opened.error;
}

IoError FileReplacement::Commit(const IoError& written) {
  if (file_ == platform::kNoFile) {
    return begin_error_;
  }
  IoError error = written;
  if (!temporary_.empty() && !error.Failed()) {
    error = platform::SyncFile(file_);
  }
  const IoError closed = platform::CloseFile(file_);
  file_ = platform::kNoFile;
  if (!error.Failed()) {
    error = closed;
  }
  if (!temporary_.empty()) {
    if (!error.Failed()) {
      error = platform::RenameFile(temporary_, target_);
    }
    if (error.Failed()) {
      platform::RemoveFile(temporary_);
    }
    UnregisterTemporaryFile(temporary_);
    temporary_.clear();
    if (!error.Failed()) {
      platform::SyncFolderOf(target_);
    }
  }
  return error.Failed() ? error.On(target_) : error;
}

void FileReplacement::Abandon() {
  if (file_ != platform::kNoFile) {
    // The new version is dropped, so a failed close loses nothing.
    static_cast<void>(platform::CloseFile(file_));
    file_ = platform::kNoFile;
  }
  if (!temporary_.empty()) {
    platform::RemoveFile(temporary_);
    UnregisterTemporaryFile(temporary_);
    temporary_.clear();
  }
}

IoError ReplaceFileContents(const std::string& path, const std::string& bytes) {
  FileReplacement replacement;
  if (IoError begun = replacement.Begin(path, platform::NewFileAccess::kPrivate); begun.Failed()) {
    return begun;
  }
  return replacement.Commit(
      platform::WriteToFile(replacement.Handle(), bytes.data(), bytes.size()));
}

}  // namespace dwelvane

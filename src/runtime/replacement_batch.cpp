#include "runtime/replacement_batch.h"

#include <filesystem>

#include "runtime/platform_file.h"
#include "runtime/project_bounds.h"
#include "runtime/temporary_files.h"

namespace dwelvane {

IoError ReplacementBatch::Add(const std::string& path, std::string_view bytes,
                              const std::string& confined_to) {
  // The scripts of one folder come one after another: its real path is looked up, and its
  // stale temporary files swept, once.
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const bool new_folder = folder != last_folder_;
  if (!confined_to.empty()) {
    IoError outside = new_folder               ? CheckOutputInProject(path, confined_to)
                      : platform::IsLink(path) ? IoError{IoOperation::kCreate, path, kOutputIsALink}
                                               : IoError{};
    if (outside.Failed()) {
      return outside;
    }
  }
  if (platform::IsWriteProtected(path)) {
    return {IoOperation::kCreate, path, kReadOnly};
  }
  if (new_folder) {
    RemoveStaleTemporaryFilesBeside(path);
    last_folder_ = folder;
  }
  Pending pending{path, {}};
  const platform::OpenedFile opened =
      platform::CreateFileBeside(path, platform::NewFileAccess::kOrdinary, pending.temporary);
  if (!opened.IsOpen()) {
    return opened.error;
  }
  RegisterTemporaryFile(pending.temporary);
  IoError error = platform::WriteToFile(opened.handle, bytes.data(), bytes.size());
  if (!error.Failed() && !platform::SyncsWholeFileSystems()) {
    error = platform::SyncFile(opened.handle);
  }
  const IoError closed = platform::CloseFile(opened.handle);
  if (!error.Failed()) {
    error = closed;
  }
  pending_.push_back(std::move(pending));
  if (error.Failed()) {
    Abandon();
    return error.On(path);
  }
  return {};
}

IoError ReplacementBatch::Commit(const std::function<bool(const std::string& path)>& still_as_read,
                                 std::vector<std::string>& dropped) {
  if (pending_.empty()) {
    return {};
  }
  platform::SyncFileSystemOf(pending_.front().target);
  IoError error;
  for (const Pending& pending : pending_) {
    if (!error.Failed() && still_as_read(pending.target)) {
      error = platform::RenameFile(pending.temporary, pending.target);
      if (!error.Failed()) {
        UnregisterTemporaryFile(pending.temporary);
        continue;
      }
    } else if (!error.Failed()) {
      dropped.push_back(pending.target);
    }
    platform::RemoveFile(pending.temporary);
    UnregisterTemporaryFile(pending.temporary);
  }
  pending_.clear();
  return error;
}

void ReplacementBatch::SyncMoves(const std::string& path) {
  platform::SyncFileSystemOf(path);
}

void ReplacementBatch::Abandon() {
  for (const Pending& pending : pending_) {
    platform::RemoveFile(pending.temporary);
    UnregisterTemporaryFile(pending.temporary);
  }
  pending_.clear();
}

}  // namespace dwelvane

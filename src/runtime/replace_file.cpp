#include "runtime/replace_file.h"

#include "runtime/platform_file.h"

namespace dwelvane {

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".new";
  const platform::FileHandle file =
      platform::CreateFileForWriting(temporary, platform::NewFileAccess::kPrivate);
  if (file == platform::kNoFile) {
    return false;
  }
  const bool written =
      platform::WriteToFile(file, bytes.data(), bytes.size()) && platform::SyncFile(file);
  if (!platform::CloseFile(file) || !written || !platform::RenameFile(temporary, path)) {
    platform::RemoveFile(temporary);
    return false;
  }
  platform::SyncFolderOf(path);
  return true;
}

}  // namespace dwelvane

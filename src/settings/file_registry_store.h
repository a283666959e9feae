#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/file_lock.h"
#include "runtime/io_error.h"
#include "settings/reg_file_format.h"
#include "settings/registry_store.h"

namespace dwelvane {

// The registry's current-user root kept in one REGEDIT4 file, for systems without a
// registry. The file is read once, at the first query; every change takes an advisory
// lock (on the file's real path, so that a link to it takes the same lock; a holder that
// hangs is waited for `lock_patience` at most), reads the file afresh, and replaces it in
// one step, so that two running copies never undo each other's values and a crash never
// leaves a damaged file. The UTF-16LE form of Windows' registry editor is read too, and
// kept in a copy beside it when it is first rewritten as REGEDIT4. A file that is there
// but can't be read as a registry is never written over: its bytes are kept in a copy
// beside it first, and when even that can't be made nothing is written. Each is said once
// on standard error.
class FileRegistryStore final : public RegistryStore {
 public:
  explicit FileRegistryStore(std::string path,
                             std::chrono::milliseconds lock_patience = FileLock::kPatience);

  long OpenKey(std::uint32_t root, std::string_view path) override;
  long CreateKey(std::uint32_t root, std::string_view path) override;
  long QueryValue(std::uint32_t root, std::string_view path, std::string_view name,
                  std::uint32_t& type, std::string& data) override;
  long SetValue(std::uint32_t root, std::string_view path, std::string_view name,
                std::uint32_t type, std::string_view data) override;
  long DeleteValue(std::uint32_t root, std::string_view path, std::string_view name) override;
  long DeleteKey(std::uint32_t root, std::string_view path) override;
  long EnumSubKey(std::uint32_t root, std::string_view path, std::uint32_t index,
                  std::string& name) override;
  long EnumValueName(std::uint32_t root, std::string_view path, std::uint32_t index,
                     std::string& name) override;
  std::unique_ptr<RegistryStore> ConnectRemote(std::string_view computer) override;

 private:
  using Keys = std::vector<RegFileKey>;

  // What the file holds: `readable` is false for a file that is there but can't be read,
  // or read as a registry; `bytes` then holds what could be read of it, if anything. A
  // file in UTF-16 keeps its `bytes` too.
  struct Contents {
    Keys keys;
    bool readable = true;
    std::optional<std::string> bytes;
    bool utf16 = false;
  };
  Contents Load() const;
  // The keys as first read, or as last stored.
  Keys& Read();
  // Copies `bytes` to the first free name "<file><suffix>", "<file><suffix>.2", ... and
  // puts it into `copy`.
  IoError KeepCopy(const std::string& bytes, std::string_view suffix, std::string& copy) const;
  // Before an unreadable file is replaced: keeps a copy as "<file>.unreadable"; false when
  // it can't.
  bool KeepUnreadableCopy(const Contents& contents);
  // Before a UTF-16 file is rewritten as REGEDIT4: keeps it as "<file>.utf16"; false when
  // it can't.
  bool KeepUtf16Copy(const Contents& contents);
  void Warn(const std::string& message);
  // Runs `change` on the file's keys under the lock and stores them when it succeeds.
  long Change(std::uint32_t root, const std::function<long(Keys&)>& change);

  std::string path_;
  std::chrono::milliseconds lock_patience_;
  std::optional<Keys> keys_;  // read once
  bool warned_ = false;
};

}  // namespace dwelvane

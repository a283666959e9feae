#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/reg_file_format.h"
#include "settings/registry_store.h"

namespace dwelvane {

// The registry's current-user root kept in one REGEDIT4 file, for systems without a
// registry. Every change takes an advisory lock, reads the file afresh, and replaces it
// in one step, so that two running copies never undo each other's values and a crash
// never leaves a damaged file. The UTF-16LE form of Windows' registry editor is read too.
// A file that is there but can't be read as a registry is never written over: its bytes
// are kept in a copy beside it first, and when even that can't be made nothing is written.
// Either is said once on standard error.
class FileRegistryStore final : public RegistryStore {
 public:
  explicit FileRegistryStore(std::string path);

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
  // or read as a registry; `bytes` then holds what could be read of it, if anything.
  struct Contents {
    Keys keys;
    bool readable = true;
    std::optional<std::string> bytes;
  };
  Contents Load() const;
  Keys Read() const { return Load().keys; }
  // Before an unreadable file is replaced: copies its bytes to the first free name
  // "<file>.unreadable", "<file>.unreadable.2", ...; false when it can't.
  bool KeepUnreadableCopy(const Contents& contents);
  void Warn(const std::string& message);
  // Runs `change` on the file's keys under the lock and stores them when it succeeds.
  long Change(std::uint32_t root, const std::function<long(Keys&)>& change);

  std::string path_;
  bool warned_ = false;
};

}  // namespace dwelvane

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings/reg_file_format.h"
#include "settings/registry_store.h"

namespace dwelvane {

// The registry's current-user root kept in one REGEDIT4 file, for systems without a
// registry. Every change takes an advisory lock, reads the file afresh, and replaces it
// in one step, so that two running copies never undo each other's values and a crash
// never leaves a damaged file.
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

  Keys Read() const;
  // Runs `change` on the file's keys under the lock and stores them when it succeeds.
  long Change(std::uint32_t root, const std::function<long(Keys&)>& change);

  std::string path_;
};

}  // namespace dwelvane

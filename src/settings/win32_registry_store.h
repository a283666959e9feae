#pragma once

#include <string>

#include "settings/registry_store.h"

namespace dwelvane {

// The Windows registry itself, through the wide registry calls: names and text values are
// UTF-8 here, UTF-16 there. Every key is opened with full access for one call and closed
// again. A non-empty computer name reaches that computer's registry.
class Win32RegistryStore final : public RegistryStore {
 public:
  explicit Win32RegistryStore(std::string computer = {});

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
  std::string computer_;
};

}  // namespace dwelvane

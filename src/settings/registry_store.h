#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace dwelvane {

// Status codes, as the Windows registry calls give them.
inline constexpr long kRegistrySuccess = 0;
inline constexpr long kRegistryFileNotFound = 2;
inline constexpr long kRegistryAccessDenied = 5;
inline constexpr long kRegistryInvalidHandle = 6;
inline constexpr long kRegistryMoreData = 234;
inline constexpr long kRegistryNoMoreItems = 259;
inline constexpr long kRegistryUnsupportedType = 1630;

inline constexpr std::uint32_t kRegistryString = 1;  // REG_SZ: text with a closing zero byte
inline constexpr std::uint32_t kRegistryNumber = 4;  // REG_DWORD: 4 bytes, little-endian

inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001;

// A registry: keys that exist or not, each with typed values. Key paths are relative to
// the root, components separated by "\"; key and value names compare without regard to
// ASCII letter case. Every operation is complete in itself and keeps nothing open.
class RegistryStore {
 public:
  virtual ~RegistryStore() = default;

  // kRegistrySuccess when the key can be opened with full access.
  virtual long OpenKey(std::uint32_t root, std::string_view path) = 0;
  // Creates the key and the keys above it; an existing key is success.
  [[nodiscard]] virtual long CreateKey(std::uint32_t root, std::string_view path) = 0;
  // The value's type and data bytes exactly as stored.
  virtual long QueryValue(std::uint32_t root, std::string_view path, std::string_view name,
                          std::uint32_t& type, std::string& data) = 0;
  [[nodiscard]] virtual long SetValue(std::uint32_t root, std::string_view path,
                                      std::string_view name, std::uint32_t type,
                                      std::string_view data) = 0;
  [[nodiscard]] virtual long DeleteValue(std::uint32_t root, std::string_view path,
                                         std::string_view name) = 0;
  // Fails for a key that still has sub-keys.
  [[nodiscard]] virtual long DeleteKey(std::uint32_t root, std::string_view path) = 0;
  // Sub-keys in alphabetical order, values in the order they were made.
  virtual long EnumSubKey(std::uint32_t root, std::string_view path, std::uint32_t index,
                          std::string& name) = 0;
  virtual long EnumValueName(std::uint32_t root, std::string_view path, std::uint32_t index,
                             std::string& name) = 0;

  // The registry of another computer; nothing when it can't be reached.
  virtual std::unique_ptr<RegistryStore> ConnectRemote(std::string_view computer) = 0;
};

}  // namespace dwelvane

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "settings/registry_store.h"

namespace dwelvane {

// The program's eight registry operations over a store. Each is complete in itself: key
// paths lose one leading "\", an empty computer name means this computer, values of any
// length are read whole, and enumerated names through a buffer of 255 bytes, as the
// Windows registry calls with such a buffer do.
class RegistryLayer {
 public:
  using MessageBox = std::function<void(std::string_view caption, std::string_view text)>;

  RegistryLayer(RegistryStore& store, MessageBox show_message);

  // 1 when the value is stored (as text or, for type 4, as the number the text holds); 0
  // when the key can't be opened or the store can't keep the value, after the error box.
  [[nodiscard]] int RegistrySetValue(std::uint32_t root, std::string_view key,
                                     std::string_view name, std::string_view value,
                                     std::uint32_t type, std::string_view computer);

  // The status of the read, 0 on success; only then RegistryReadResult holds the value
  // (a number as decimal text). Values of other types than text and number read as
  // absent.
  long RegistryGetValue(std::uint32_t root, std::string_view key, std::string_view name,
                        std::string_view computer);

  [[nodiscard]] int RegistryCreateKey(std::uint32_t root, std::string_view key,
                                      std::string_view computer);
  int RegistryKeyExists(std::uint32_t root, std::string_view key, std::string_view computer);
  [[nodiscard]] int RegistryDeleteValue(std::uint32_t root, std::string_view key,
                                        std::string_view name, std::string_view computer);
  [[nodiscard]] int RegistryDeleteKey(std::uint32_t root, std::string_view key,
                                      std::string_view computer);
  std::string RegistryEnumSubKey(std::uint32_t root, std::string_view key, std::uint32_t index,
                                 std::string_view computer);
  std::string RegistryEnumValueName(std::uint32_t root, std::string_view key, std::uint32_t index,
                                    std::string_view computer);

  std::string RegistryReadResult;

 private:
  // The store for `computer`: this one for the empty name, else a remote one, or nothing
  // when it can't be reached.
  RegistryStore* StoreFor(std::string_view computer);

  // 1 when the store for `computer` can be had and `operation` on it succeeds, else 0.
  int Succeeds(std::string_view computer, const std::function<long(RegistryStore&)>& operation);

  RegistryStore& store_;
  std::unique_ptr<RegistryStore> remote_;
  MessageBox show_message_;
};

}  // namespace dwelvane

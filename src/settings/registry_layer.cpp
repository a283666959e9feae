#include "settings/registry_layer.h"

#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

// Key and value names are read through a buffer of this size, as the Windows registry
// calls with such a buffer do; values are read whole.
constexpr std::size_t kNameBufferSize = 255;

std::string_view WithoutLeadingBackslash(std::string_view key) {
  if (!key.empty() && key.front() == '\\') {
    key.remove_prefix(1);
  }
  return key;
}

std::string NumberBytes(std::int32_t number) {
  const auto bits = static_cast<std::uint32_t>(number);
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) {
    bytes.push_back(static_cast<char>((bits >> shift) & 0xFF));
  }
  return bytes;
}

std::int32_t NumberFromBytes(std::string_view bytes) {
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) {
    bits = (bits << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
  }
  return static_cast<std::int32_t>(bits);
}

}  // namespace

RegistryLayer::RegistryLayer(RegistryStore& store, MessageBox show_message)
    : store_(store), show_message_(std::move(show_message)) {}

RegistryStore* RegistryLayer::StoreFor(std::string_view computer) {
  if (computer.empty()) {
    return &store_;
  }
  remote_ = store_.ConnectRemote(computer);
  return remote_.get();
}

int RegistryLayer::RegistrySetValue(std::uint32_t root, std::string_view key, std::string_view name,
                                    std::string_view value, std::uint32_t type,
                                    std::string_view computer) {
  key = WithoutLeadingBackslash(key);
  RegistryStore* store = StoreFor(computer);
  long status = store == nullptr ? kRegistryInvalidHandle : store->OpenKey(root, key);
  if (status == kRegistrySuccess && type == kRegistryString) {
    std::string data(value);
    data.push_back('\0');
    status = store->SetValue(root, key, name, type, data);
  } else if (status == kRegistrySuccess && type == kRegistryNumber) {
    status = store->SetValue(root, key, name, type, NumberBytes(TextToNumber(value)));
  }
  if (status != kRegistrySuccess) {
    show_message_("Fehler", "Ein Fehler ist aufgetreten");
    return 0;
  }
  return 1;
}

long RegistryLayer::RegistryGetValue(std::uint32_t root, std::string_view key,
                                     std::string_view name, std::string_view computer) {
  key = WithoutLeadingBackslash(key);
  RegistryStore* store = StoreFor(computer);
  if (store == nullptr) {
    return kRegistryInvalidHandle;
  }
  std::uint32_t type = 0;
  std::string data;
  const long status = store->QueryValue(root, key, name, type, data);
  if (status != kRegistrySuccess) {
    return status;
  }
  if (type == kRegistryString) {
    RegistryReadResult.assign(data, 0, data.empty() ? 0 : data.size() - 1);
    return kRegistrySuccess;
  }
  if (type == kRegistryNumber && data.size() == 4) {
    RegistryReadResult = NumberToText(NumberFromBytes(data));
    return kRegistrySuccess;
  }
  return kRegistryUnsupportedType;
}

int RegistryLayer::RegistryCreateKey(std::uint32_t root, std::string_view key,
                                     std::string_view computer) {
  return Succeeds(computer, [&](RegistryStore& store) {
    return store.CreateKey(root, WithoutLeadingBackslash(key));
  });
}

int RegistryLayer::RegistryKeyExists(std::uint32_t root, std::string_view key,
                                     std::string_view computer) {
  return Succeeds(computer, [&](RegistryStore& store) {
    return store.OpenKey(root, WithoutLeadingBackslash(key));
  });
}

int RegistryLayer::RegistryDeleteValue(std::uint32_t root, std::string_view key,
                                       std::string_view name, std::string_view computer) {
  return Succeeds(computer, [&](RegistryStore& store) {
    return store.DeleteValue(root, WithoutLeadingBackslash(key), name);
  });
}

int RegistryLayer::RegistryDeleteKey(std::uint32_t root, std::string_view key,
                                     std::string_view computer) {
  return Succeeds(computer, [&](RegistryStore& store) {
    return store.DeleteKey(root, WithoutLeadingBackslash(key));
  });
}

std::string RegistryLayer::RegistryEnumSubKey(std::uint32_t root, std::string_view key,
                                              std::uint32_t index, std::string_view computer) {
  std::string name;
  const int found = Succeeds(computer, [&](RegistryStore& store) {
    return store.EnumSubKey(root, WithoutLeadingBackslash(key), index, name);
  });
  return found == 1 && name.size() < kNameBufferSize ? name : std::string();
}

std::string RegistryLayer::RegistryEnumValueName(std::uint32_t root, std::string_view key,
                                                 std::uint32_t index, std::string_view computer) {
  std::string name;
  const int found = Succeeds(computer, [&](RegistryStore& store) {
    return store.EnumValueName(root, WithoutLeadingBackslash(key), index, name);
  });
  return found == 1 && name.size() < kNameBufferSize ? name : std::string();
}

int RegistryLayer::Succeeds(std::string_view computer,
                            const std::function<long(RegistryStore&)>& operation) {
  RegistryStore* store = StoreFor(computer);
  return store != nullptr && operation(*store) == kRegistrySuccess ? 1 : 0;
}

}  // namespace dwelvane

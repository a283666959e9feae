#include "settings/win32_registry_store.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "runtime/text_conversion.h"

namespace dwelvane {
namespace {

constexpr DWORD kNameBufferSize = 255;

// The types whose data is text: UTF-16 in the registry, UTF-8 in the program, each with
// its closing zero.
bool HoldsText(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string DataFromRegistry(DWORD type, const std::vector<BYTE>& bytes) {
  if (!HoldsText(type)) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  return FromWide(text);
}

std::vector<BYTE> DataForRegistry(DWORD type, std::string_view data) {
  if (!HoldsText(type)) {
    return std::vector<BYTE>(data.begin(), data.end());
  }
  const std::wstring text = ToWide(data);
  std::vector<BYTE> bytes(text.size() * sizeof(wchar_t));
  std::memcpy(bytes.data(), text.data(), bytes.size());
  return bytes;
}

// A root key of this computer or, for a computer name, of that computer's registry;
// closed with the object.
class RootKey {
 public:
  RootKey(std::uint32_t root, const std::string& computer) {
    // Predefined keys are 32-bit values that the HKEY type sign-extends.
    const auto local = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    if (computer.empty()) {
      key_ = local;
    } else if (RegConnectRegistryW(ToWide(computer).c_str(), local, &key_) == ERROR_SUCCESS) {
      connected_ = true;
    } else {
      key_ = nullptr;
    }
  }
  ~RootKey() {
    if (connected_) {
      RegCloseKey(key_);
    }
  }
  RootKey(const RootKey&) = delete;
  RootKey& operator=(const RootKey&) = delete;

  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
  bool connected_ = false;
};

// A key opened with full access for one operation.
class OpenedKey {
 public:
  OpenedKey(std::uint32_t root, std::string_view path, const std::string& computer)
      : root_(root, computer) {
    status_ = root_.get() == nullptr
                  ? ERROR_INVALID_HANDLE
                  : RegOpenKeyExW(root_.get(), ToWide(path).c_str(), 0, KEY_ALL_ACCESS, &key_);
  }
  ~OpenedKey() {
    if (status_ == ERROR_SUCCESS) {
      RegCloseKey(key_);
    }
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  long status() const { return status_; }
  HKEY get() const { return key_; }

 private:
  RootKey root_;
  HKEY key_ = nullptr;
  long status_ = ERROR_INVALID_HANDLE;
};

}  // namespace

Win32RegistryStore::Win32RegistryStore(std::string computer) : computer_(std::move(computer)) {}

long Win32RegistryStore::OpenKey(std::uint32_t root, std::string_view path) {
  return OpenedKey(root, path, computer_).status();
}

long Win32RegistryStore::CreateKey(std::uint32_t root, std::string_view path) {
  const RootKey root_key(root, computer_);
  if (root_key.get() == nullptr) {
    return ERROR_INVALID_HANDLE;
  }
  HKEY key = nullptr;
  DWORD disposition = 0;
  const long status =
      RegCreateKeyExW(root_key.get(), ToWide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, &disposition);
  if (status == ERROR_SUCCESS) {
    RegCloseKey(key);
  }
  return status;
}

long Win32RegistryStore::QueryValue(std::uint32_t root, std::string_view path,
                                    std::string_view name, std::uint32_t& type, std::string& data) {
  const OpenedKey key(root, path, computer_);
  if (key.status() != ERROR_SUCCESS) {
    return key.status();
  }
  const std::wstring value_name = ToWide(name);
  DWORD size = 0;
  DWORD value_type = 0;
  long status =
      RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &value_type, nullptr, &size);
  if (status != ERROR_SUCCESS) {
    return status;
  }
  std::vector<BYTE> bytes(size);
  status =
      RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &value_type, bytes.data(), &size);
  if (status == ERROR_SUCCESS) {
    bytes.resize(size);
    type = value_type;
    data = DataFromRegistry(value_type, bytes);
  }
  return status;
}

long Win32RegistryStore::SetValue(std::uint32_t root, std::string_view path, std::string_view name,
                                  std::uint32_t type, std::string_view data) {
  const OpenedKey key(root, path, computer_);
  if (key.status() != ERROR_SUCCESS) {
    return key.status();
  }
  const std::vector<BYTE> bytes = DataForRegistry(type, data);
  return RegSetValueExW(key.get(), ToWide(name).c_str(), 0, type, bytes.data(),
                        static_cast<DWORD>(bytes.size()));
}

long Win32RegistryStore::DeleteValue(std::uint32_t root, std::string_view path,
                                     std::string_view name) {
  const OpenedKey key(root, path, computer_);
  if (key.status() != ERROR_SUCCESS) {
    return key.status();
  }
  return RegDeleteValueW(key.get(), ToWide(name).c_str());
}

long Win32RegistryStore::DeleteKey(std::uint32_t root, std::string_view path) {
  const RootKey root_key(root, computer_);
  return root_key.get() == nullptr ? ERROR_INVALID_HANDLE
                                   : RegDeleteKeyW(root_key.get(), ToWide(path).c_str());
}

long Win32RegistryStore::EnumSubKey(std::uint32_t root, std::string_view path, std::uint32_t index,
                                    std::string& name) {
  const OpenedKey key(root, path, computer_);
  if (key.status() != ERROR_SUCCESS) {
    return key.status();
  }
  wchar_t buffer[kNameBufferSize];
  DWORD size = kNameBufferSize;
  FILETIME written{};
  const long status =
      RegEnumKeyExW(key.get(), index, buffer, &size, nullptr, nullptr, nullptr, &written);
  if (status == ERROR_SUCCESS) {
    name = FromWide({buffer, size});
  }
  return status;
}

long Win32RegistryStore::EnumValueName(std::uint32_t root, std::string_view path,
                                       std::uint32_t index, std::string& name) {
  const OpenedKey key(root, path, computer_);
  if (key.status() != ERROR_SUCCESS) {
    return key.status();
  }
  wchar_t buffer[kNameBufferSize];
  DWORD size = kNameBufferSize;
  const long status =
      RegEnumValueW(key.get(), index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) {
    name = FromWide({buffer, size});
  }
  return status;
}

std::unique_ptr<RegistryStore> Win32RegistryStore::ConnectRemote(std::string_view computer) {
  return std::make_unique<Win32RegistryStore>(std::string(computer));
}

}  // namespace dwelvane

#include "settings/file_registry_store.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "runtime/directory_listing.h"
#include "runtime/file_lock.h"
#include "runtime/file_replacement.h"
#include "runtime/line_reader.h"
#include "runtime/platform_file.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

constexpr std::string_view kRootName = "HKEY_CURRENT_USER";

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
  });
}

std::string FullPath(std::string_view path) {
  std::string full(kRootName);
  if (!path.empty()) {
    full.push_back('\\');
    full.append(path);
  }
  return full;
}

// The key itself, or nothing when it has no section of its own.
RegFileKey* FindSection(std::vector<RegFileKey>& keys, std::string_view full) {
  const auto found = std::find_if(keys.begin(), keys.end(), [&](const RegFileKey& key) {
    return EqualIgnoringAsciiCase(key.path, full);
  });
  return found == keys.end() ? nullptr : &*found;
}

bool IsBelow(std::string_view candidate, std::string_view parent) {
  return candidate.size() > parent.size() + 1 && candidate[parent.size()] == '\\' &&
         EqualIgnoringAsciiCase(candidate.substr(0, parent.size()), parent);
}

// A key exists when it has a section or when a key below it has one, as a registry key
// exists with its sub-keys.
bool KeyExists(const std::vector<RegFileKey>& keys, std::string_view full) {
  return full == kRootName || std::any_of(keys.begin(), keys.end(), [&](const RegFileKey& key) {
           return EqualIgnoringAsciiCase(key.path, full) || IsBelow(key.path, full);
         });
}

std::vector<std::string> SubKeyNames(const std::vector<RegFileKey>& keys, std::string_view full) {
  std::vector<std::string> names;
  for (const RegFileKey& key : keys) {
    if (!IsBelow(key.path, full)) {
      continue;
    }
    const std::string_view rest = std::string_view(key.path).substr(full.size() + 1);
    const std::string name(rest.substr(0, rest.find('\\')));
    if (std::none_of(names.begin(), names.end(),
                     [&](const std::string& seen) { return EqualIgnoringAsciiCase(seen, name); })) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return names;
}

std::vector<RegFileValue>::iterator FindValue(RegFileKey& key, std::string_view name) {
  return std::find_if(key.values.begin(), key.values.end(), [&](const RegFileValue& value) {
    return EqualIgnoringAsciiCase(value.name, name);
  });
}

// The key's section and its value `name`; a null section when either is missing.
std::pair<RegFileKey*, std::vector<RegFileValue>::iterator> FindStoredValue(
    std::vector<RegFileKey>& keys, std::string_view path, std::string_view name) {
  RegFileKey* key = FindSection(keys, FullPath(path));
  if (key == nullptr) {
    return {nullptr, {}};
  }
  const auto value = FindValue(*key, name);
  return {value == key->values.end() ? nullptr : key, value};
}

// The store's path with every link resolved, for a file that may not be there yet: every
// path to the store then takes the same lock.
std::string RealPathOfStore(const std::string& path) {
  if (std::string real = platform::RealPathOf(path); !real.empty()) {
    return real;
  }
  const std::filesystem::path store(path);
  const std::string folder = platform::RealPathOf(store.parent_path().string());
  return folder.empty() ? path : (std::filesystem::path(folder) / store.filename()).string();
}

}  // namespace

FileRegistryStore::FileRegistryStore(std::string path, std::chrono::milliseconds lock_patience)
    : path_(std::move(path)), lock_patience_(lock_patience) {}

FileRegistryStore::Keys& FileRegistryStore::Read() {
  if (!keys_) {
    keys_ = Load().keys;
  }
  return *keys_;
}

FileRegistryStore::Contents FileRegistryStore::Load() const {
  if (path_.empty() || platform::KindOfPath(path_) == platform::PathKind::kMissing) {
    return {};
  }
  std::string bytes;
  if (ReadWholeFile(path_, bytes).Failed()) {
    return {.keys = {}, .readable = false, .bytes = std::nullopt};
  }
  const std::string text = DecodeRegFileBytes(bytes);
  if (!IsRegFileText(text)) {
    return {.keys = {}, .readable = false, .bytes = std::move(bytes)};
  }
  const bool utf16 = IsUtf16RegFile(bytes);
  return {.keys = ParseRegFile(text),
          .readable = true,
          .bytes = utf16 ? std::optional(std::move(bytes)) : std::nullopt,
          .utf16 = utf16};
}

IoError FileRegistryStore::KeepCopy(const std::string& bytes, std::string_view suffix,
                                    std::string& copy) const {
  copy = path_ + std::string(suffix);
  for (int number = 2; platform::KindOfPath(copy) != platform::PathKind::kMissing; ++number) {
    copy = path_ + std::string(suffix) + "." + std::to_string(number);
  }
  return ReplaceFileContents(copy, bytes);
}

bool FileRegistryStore::KeepUtf16Copy(const Contents& contents) {
  std::string copy;
  if (const IoError error = KeepCopy(*contents.bytes, ".utf16", copy); error.Failed()) {
    Warn("the settings file '" + path_ + "' is in UTF-16 and no copy of it can be made (" +
         error.Describe() + "); nothing is written to it");
    return false;
  }
  Warn("the settings file '" + path_ + "' was in UTF-16; it is kept as '" + copy +
       "' and the settings are stored as REGEDIT4 in its place");
  return true;
}

bool FileRegistryStore::KeepUnreadableCopy(const Contents& contents) {
  if (!contents.bytes) {
    Warn("the settings file '" + path_ + "' can't be read; nothing is written to it");
    return false;
  }
  std::string copy;
  if (const IoError error = KeepCopy(*contents.bytes, ".unreadable", copy); error.Failed()) {
    Warn("the settings file '" + path_ + "' is no registry file and no copy of it can be made (" +
         error.Describe() + "); nothing is written to it");
    return false;
  }
  Warn("the settings file '" + path_ + "' is no registry file; it is kept as '" + copy +
       "' and new settings are stored in its place");
  return true;
}

void FileRegistryStore::Warn(const std::string& message) {
  if (!warned_) {
    std::fprintf(stderr, "Dwelvane: %s\n", message.c_str());
    warned_ = true;
  }
}

long FileRegistryStore::Change(std::uint32_t root, const std::function<long(Keys&)>& change) {
  if (root != kHkeyCurrentUser || path_.empty()) {
    return kRegistryFileNotFound;
  }
  const std::string folder = std::filesystem::path(path_).parent_path().string();
  if (!MakeFolders(folder)) {
    return kRegistryAccessDenied;
  }
  const FileLock lock(RealPathOfStore(path_) + ".lock", lock_patience_);
  if (!lock.Held()) {
    if (lock.TimedOut()) {
      Warn("the settings file '" + path_ + "' is kept locked by another running copy; after " +
           std::to_string(lock_patience_.count() / 1000) + " s, nothing is written to it");
    }
    return kRegistryAccessDenied;
  }
  Contents contents = Load();
  if (!contents.readable && !KeepUnreadableCopy(contents)) {
    return kRegistryAccessDenied;
  }
  Keys& keys = contents.keys;
  const long status = change(keys);
  if (status != kRegistrySuccess) {
    keys_.reset();
    return status;
  }
  if (contents.utf16 && !KeepUtf16Copy(contents)) {
    return kRegistryAccessDenied;
  }
  if (const IoError error = ReplaceFileContents(path_, FormatRegFile(keys)); error.Failed()) {
    keys_.reset();
    Warn(DescribeFailure(error));
    return kRegistryAccessDenied;
  }
  keys_ = std::move(keys);
  return kRegistrySuccess;
}

long FileRegistryStore::OpenKey(std::uint32_t root, std::string_view path) {
  if (root != kHkeyCurrentUser) {
    return kRegistryFileNotFound;
  }
  return KeyExists(Read(), FullPath(path)) ? kRegistrySuccess : kRegistryFileNotFound;
}

long FileRegistryStore::CreateKey(std::uint32_t root, std::string_view path) {
  if (root == kHkeyCurrentUser && KeyExists(Read(), FullPath(path))) {
    return kRegistrySuccess;
  }
  return Change(root, [&](Keys& keys) {
    // Every missing key on the way gets a section, as an exported registry shows them.
    std::string full(kRootName);
    for (std::string_view rest = path; !rest.empty();) {
      const std::size_t slash = rest.find('\\');
      full.push_back('\\');
      full.append(rest.substr(0, slash));
      rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
      if (FindSection(keys, full) == nullptr) {
        keys.push_back({full, {}});
      }
    }
    return kRegistrySuccess;
  });
}

long FileRegistryStore::QueryValue(std::uint32_t root, std::string_view path, std::string_view name,
                                   std::uint32_t& type, std::string& data) {
  if (root != kHkeyCurrentUser) {
    return kRegistryFileNotFound;
  }
  Keys& keys = Read();
  const auto [key, value] = FindStoredValue(keys, path, name);
  if (key == nullptr) {
    return kRegistryFileNotFound;
  }
  type = value->type;
  data = value->data;
  return kRegistrySuccess;
}

long FileRegistryStore::SetValue(std::uint32_t root, std::string_view path, std::string_view name,
                                 std::uint32_t type, std::string_view data) {
  return Change(root, [&](Keys& keys) {
    const std::string full = FullPath(path);
    if (!KeyExists(keys, full)) {
      return kRegistryFileNotFound;
    }
    RegFileKey* key = FindSection(keys, full);
    if (key == nullptr) {
      key = &keys.emplace_back(RegFileKey{full, {}});
    }
    const auto value = FindValue(*key, name);
    if (value == key->values.end()) {
      key->values.push_back({std::string(name), type, std::string(data)});
    } else {
      value->type = type;
      value->data = data;
    }
    return kRegistrySuccess;
  });
}

long FileRegistryStore::DeleteValue(std::uint32_t root, std::string_view path,
                                    std::string_view name) {
  return Change(root, [&](Keys& keys) {
    const auto [key, value] = FindStoredValue(keys, path, name);
    if (key == nullptr) {
      return kRegistryFileNotFound;
    }
    key->values.erase(value);
    return kRegistrySuccess;
  });
}

long FileRegistryStore::DeleteKey(std::uint32_t root, std::string_view path) {
  return Change(root, [&](Keys& keys) {
    const std::string full = FullPath(path);
    if (path.empty() || !KeyExists(keys, full)) {
      return kRegistryFileNotFound;
    }
    if (!SubKeyNames(keys, full).empty()) {
      return kRegistryAccessDenied;
    }
    std::erase_if(keys,
                  [&](const RegFileKey& key) { return EqualIgnoringAsciiCase(key.path, full); });
    return kRegistrySuccess;
  });
}

long FileRegistryStore::EnumSubKey(std::uint32_t root, std::string_view path, std::uint32_t index,
                                   std::string& name) {
  if (root != kHkeyCurrentUser) {
    return kRegistryFileNotFound;
  }
  const Keys& keys = Read();
  const std::string full = FullPath(path);
  if (!KeyExists(keys, full)) {
    return kRegistryFileNotFound;
  }
  const std::vector<std::string> names = SubKeyNames(keys, full);
  if (index >= names.size()) {
    return kRegistryNoMoreItems;
  }
  name = names[index];
  return kRegistrySuccess;
}

long FileRegistryStore::EnumValueName(std::uint32_t root, std::string_view path,
                                      std::uint32_t index, std::string& name) {
  if (root != kHkeyCurrentUser) {
    return kRegistryFileNotFound;
  }
  Keys& keys = Read();
  const std::string full = FullPath(path);
  if (!KeyExists(keys, full)) {
    return kRegistryFileNotFound;
  }
  const RegFileKey* key = FindSection(keys, full);
  if (key == nullptr || index >= key->values.size()) {
    return kRegistryNoMoreItems;
  }
  name = key->values[index].name;
  return kRegistrySuccess;
}

std::unique_ptr<RegistryStore> FileRegistryStore::ConnectRemote(std::string_view) {
  return nullptr;
}

}  // namespace dwelvane

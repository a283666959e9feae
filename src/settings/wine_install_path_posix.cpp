#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "runtime/line_reader.h"
#include "runtime/text_operations.h"
#include "runtime/utf8.h"
#include "settings/settings_persistence.h"
#include "settings/wine_install_path.h"

namespace dwelvane {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// Wine writes "\\", "\"" and "\xNNNN" for characters beyond ASCII; the text of a Linux
// path is UTF-8.
std::string UnescapeWineText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out.push_back(text[i]);
      continue;
    }
    const char next = text[++i];
    if (next != 'x') {
      out.push_back(next == 'n' ? '\n' : next == 't' ? '\t' : next);
      continue;
    }
    char32_t code = 0;
    int digits = 0;
    for (; digits < 4 && i + 1 < text.size() && HexDigit(text[i + 1]) >= 0; ++digits) {
      code = code * 16 + static_cast<char32_t>(HexDigit(text[++i]));
    }
    AppendUtf8(out, code);
  }
  return out;
}

// The quoted text that starts `text`, escapes kept; nothing without a closing quote.
std::optional<std::string_view> QuotedPart(std::string_view text) {
  if (text.empty() || text.front() != '"') {
    return std::nullopt;
  }
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == '"') {
      return text.substr(1, i - 1);
    }
  }
  return std::nullopt;
}

std::optional<std::string> FindInstallPath(std::string_view registry) {
  bool in_key = false;
  while (!registry.empty()) {
    const std::size_t end = registry.find('\n');
    std::string_view line = registry.substr(0, end);
    registry = end == std::string_view::npos ? std::string_view{} : registry.substr(end + 1);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (line.starts_with('[')) {
      const std::size_t close = line.rfind(']');
      in_key = close != std::string_view::npos &&
               EqualIgnoringAsciiCase(UnescapeWineText(line.substr(1, close - 1)), kEngineToolsKey);
      continue;
    }
    const auto name = QuotedPart(line);
    if (!in_key || !name || !EqualIgnoringAsciiCase(*name, "InstallPath")) {
      continue;
    }
    const std::string_view data = line.substr(name->size() + 2);
    const auto value = data.starts_with('=') ? QuotedPart(data.substr(1)) : std::nullopt;
    if (value) {
      return UnescapeWineText(*value);
    }
  }
  return std::nullopt;
}

// "C:\Games\WME" with the prefix's link dosdevices/c: to ../drive_c gives
// PREFIX/drive_c/Games/WME.
std::optional<std::string> MapDrivePath(const std::string& prefix, const std::string& path) {
  if (path.size() < 2 || path[1] != ':') {
    return std::nullopt;
  }
  const std::string link = prefix + "/dosdevices/" + LowerAscii(path[0]) + ":";
  std::vector<char> target(4096);
  const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
    return std::nullopt;
  }
  std::filesystem::path drive(std::string(target.data(), static_cast<std::size_t>(length)));
  if (drive.is_relative()) {
    drive = std::filesystem::path(prefix) / "dosdevices" / drive;
  }
  std::string rest = path.substr(2);
  for (char& c : rest) {
    c = c == '\\' ? '/' : c;
  }
  const std::string joined = drive.string() + (rest.starts_with('/') ? "" : "/") + rest;
  return std::filesystem::path(joined).lexically_normal().string();
}

}  // namespace

std::string DefaultWinePrefix() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix != nullptr && *prefix != '\0') {
    return prefix;
  }
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? std::string(home) + "/.wine" : std::string();
}

std::optional<std::string> ReadWineEngineInstallPath(const std::string& prefix) {
  std::string registry;
  if (prefix.empty() || ReadWholeFile(prefix + "/user.reg", registry).Failed()) {
    return std::nullopt;
  }
  const auto install_path = FindInstallPath(registry);
  return install_path ? MapDrivePath(prefix, *install_path) : std::nullopt;
}

}  // namespace dwelvane

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The path as the Windows programs see it under Wine: drive Z: is "/".
std::string WindowsPath(const char* path) {
  std::string converted = std::string("Z:") + path;
  for (char& c : converted) {
    c = c == '/' ? '\\' : c;
  }
  return converted;
}

// A value of the version resource's string table ("ProductVersion", ...); empty without one.
std::string VersionValue(const std::string& program, const char* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  std::string block(size, '\0');
  if (size == 0 || !GetFileVersionInfoA(program.c_str(), 0, size, block.data())) {
    return {};
  }
  void* value = nullptr;
  UINT length = 0;
  const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(block.data(), query.c_str(), &value, &length) || length == 0) {
    return {};
  }
  return std::string(static_cast<const char*>(value));
}

// The text of the application manifest; empty without one.
std::string ManifestOf(HMODULE program) {
  const HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  if (found == nullptr) {
    return {};
  }
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
  return std::string(bytes, SizeofResource(program, found));
}

TEST(Win32ResourcesTest, BothProgramsCarryTheVersion) {
  for (const char* path : {DWELVANE_GUI_PATH, DWELVANE_CLI_PATH}) {
    const std::string program = WindowsPath(path);
    EXPECT_EQ(VersionValue(program, "ProductVersion"), DWELVANE_VERSION) << program;
    EXPECT_EQ(VersionValue(program, "FileVersion"), DWELVANE_VERSION) << program;
    EXPECT_EQ(VersionValue(program, "ProductName"), "Dwelvane") << program;
  }
}

TEST(Win32ResourcesTest, TheWindowHasItsIconAndManifest) {
  const HMODULE program = LoadLibraryExA(WindowsPath(DWELVANE_GUI_PATH).c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr);
  EXPECT_NE(FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)), nullptr)
      << "an icon group";
  const HICON icon = static_cast<HICON>(
      LoadImageA(program, MAKEINTRESOURCEA(1), IMAGE_ICON, 48, 48, LR_DEFAULTCOLOR));
  EXPECT_NE(icon, nullptr);
  DestroyIcon(icon);
  const std::string manifest = ManifestOf(program);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
  FreeLibrary(program);
}

TEST(Win32ResourcesTest, BothProgramsDeclareThemselvesAwareOfLongPaths) {
  for (const char* path : {DWELVANE_GUI_PATH, DWELVANE_CLI_PATH}) {
    const HMODULE program =
        LoadLibraryExA(WindowsPath(path).c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << path;
    EXPECT_NE(ManifestOf(program).find("<longPathAware"), std::string::npos) << path;
    FreeLibrary(program);
  }
}

}  // namespace

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win32/wide_files.h"

namespace {

// A value of the version resource's string table ("ProductVersion", ...); empty without one.
std::string VersionValue(const std::string& program, const char* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  std::string block(size, '\0');
  void* value = nullptr;
  UINT length = 0;
  const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (size == 0 || !GetFileVersionInfoA(program.c_str(), 0, size, block.data()) ||
      !VerQueryValueA(block.data(), query.c_str(), &value, &length) || length == 0) {
    return {};
  }
  return std::string(static_cast<const char*>(value));
}

TEST(Win32ResourcesTest, BothProgramsCarryTheVersionAndAManifest) {
  for (const char* path : {DWELVANE_GUI_PATH, DWELVANE_CLI_PATH}) {
    const std::string program = dwelvane::testing::WinePath(path);
    EXPECT_EQ(VersionValue(program, "ProductVersion"), DWELVANE_VERSION) << program;
    EXPECT_EQ(VersionValue(program, "FileVersion"), DWELVANE_VERSION) << program;
    EXPECT_EQ(VersionValue(program, "ProductName"), "Dwelvane") << program;
    const HMODULE module = LoadLibraryExA(
        program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << program;
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr) << program;
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    EXPECT_NE(manifest.find("<longPathAware"), std::string::npos) << program;
    if (path == std::string(DWELVANE_GUI_PATH)) {
      EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
      EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
      EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
      EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)), nullptr)
          << "an icon group";
      const HICON icon = static_cast<HICON>(
          LoadImageA(module, MAKEINTRESOURCEA(1), IMAGE_ICON, 48, 48, LR_DEFAULTCOLOR));
      EXPECT_NE(icon, nullptr);
      DestroyIcon(icon);
    }
    FreeLibrary(module);
  }
}

}  // namespace

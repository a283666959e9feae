// Shows the main window on Windows with the sample project and writes each tab in English
// and German, as the display shows it, to 24-bit BMP files named as the Qt pictures are.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "settings/file_registry_store.h"
#include "ui/win32/win32_window_system.h"

namespace {

constexpr const char* kTabNames[] = {"dialogue", "statistics", "options", "infos"};

void ShowPendingPaints() {
  MSG message;
  for (int round = 0; round < 50; ++round) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(20);
  }
}

// The client area of `window` as the display shows it, rows from the top, 3 bytes a pixel.
bool WriteClientArea(HWND window, const std::string& file) {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right;
  const int height = client.bottom;
  const HDC source = GetDC(window);
  const HDC memory = CreateCompatibleDC(source);
  const HBITMAP picture = CreateCompatibleBitmap(source, width, height);
  const HGDIOBJ previous = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
  GetDIBits(memory, picture, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(window, source);
  BITMAPFILEHEADER file_header{};
  file_header.bfType = 0x4D42;  // "BM"
  file_header.bfOffBits = sizeof file_header + sizeof header;
  file_header.bfSize = static_cast<DWORD>(file_header.bfOffBits + pixels.size());
  FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) {
    return false;
  }
  const bool written = std::fwrite(&file_header, sizeof file_header, 1, out) == 1 &&
                       std::fwrite(&header, sizeof header, 1, out) == 1 &&
                       std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: win32_screenshot SAMPLE_PROJECT OUTPUT_FOLDER\n", stderr);
    return 2;
  }
  // The project's path in the form Windows gives it, whatever separators it came with.
  std::string project = argv[1];
  std::replace(project.begin(), project.end(), '/', '\\');
  dwelvane::Win32WindowSystem window;
  dwelvane::FileRegistryStore store("");
  dwelvane::RegistryLayer registry(store, [](std::string_view, std::string_view) {});
  const dwelvane::ReportClock clock = [] { return dwelvane::DateTime{2026, 12, 7, 9, 30, 0}; };
  using dwelvane::Language;
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    dwelvane::AppState state;
    state.settings.WMEProjectDir = project + "\\";
    dwelvane::ApplyFirstRunDefaults(state.settings, state.settings.WMEProjectDir);
    state.settings.Language = language;
    dwelvane::EventLoop loop(state, window, registry, clock);
    if (!loop.OpenMainWindow()) {
      return 1;
    }
    loop.PushSettings();
    window.SetTick(language == Language::kEnglish ? dwelvane::gadget::kEnglishOption
                                                  : dwelvane::gadget::kGermanOption,
                   true);
    loop.HandleGadget(dwelvane::gadget::kScanProjectButton);
    // The pictures show a typical folder, not the one they were made in.
    window.SetText(dwelvane::gadget::kProjectPathField, "C:\\Games\\LanternHarbour\\");
    const std::string prefix =
        std::string(argv[2]) + (language == Language::kEnglish ? "\\en-" : "\\de-");
    for (int tab = 0; tab < 4; ++tab) {
      window.SelectTab(tab);
      ShowPendingPaints();
      const std::string file = prefix + std::to_string(tab) + "-" + kTabNames[tab] + ".bmp";
      if (!WriteClientArea(window.Window(), file)) {
        std::fprintf(stderr, "win32_screenshot: cannot write %s\n", file.c_str());
        return 1;
      }
    }
    window.CloseWindow();
  }
  return 0;
}

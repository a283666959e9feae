#include "win32/wide_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/text_conversion.h"
#include "ui/gadget_layout.h"

namespace dwelvane::testing {
namespace {

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) {
      CloseHandle(handle_);
    }
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// A word as CommandLineToArgvW reads it back: quoted, with the backslashes before a quote
// doubled.
std::wstring QuotedWord(const std::wstring& word) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

void MakeFolders(const std::string& folder) {
  for (std::size_t at = folder.find('\\', 3); at != std::string::npos;
       at = folder.find('\\', at + 1)) {
    CreateDirectoryW(ToWidePath(folder.substr(0, at)).c_str(), nullptr);
  }
  CreateDirectoryW(ToWidePath(folder).c_str(), nullptr);
}

void CopyFolder(const std::string& from, const std::string& to) {
  MakeFolders(to);
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(ToWidePath(from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return;
  }
  do {
    const std::string name = FromWide(found.cFileName);
    if (name == "." || name == "..") {
      continue;
    }
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      CopyFolder(from + "\\" + name, to + "\\" + name);
    } else {
      CopyFileW(ToWidePath(from + "\\" + name).c_str(), ToWidePath(to + "\\" + name).c_str(),
                FALSE);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

std::string WinePath(std::string_view linux_path) {
  std::string path = "Z:" + std::string(linux_path);
  for (char& c : path) {
    c = c == '/' ? '\\' : c;
  }
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  const OwnedHandle file(CreateFileW(ToWidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (file.get() != INVALID_HANDLE_VALUE &&
         ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  return bytes;
}

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& words) {
  std::wstring command_line = QuotedWord(ToWide(program));
  for (const std::string& word : words) {
    command_line += L" " + QuotedWord(ToWide(word));
  }
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  CreatePipe(&read_end, &write_end, &inherited, 0);
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  const OwnedHandle reader(read_end);
  const OwnedHandle nowhere(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nowhere.get();
  startup.hStdOutput = nowhere.get();
  startup.hStdError = write_end;
  PROCESS_INFORMATION process{};
  ProgramRun run;
  const bool started = CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process) != 0;
  CloseHandle(write_end);
  if (!started) {
    run.exit_code = ~0ul;
    return run;
  }
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(reader.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    run.error_output.append(buffer, got);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = 0;
  GetExitCodeProcess(process.hProcess, &exit_code);
  run.exit_code = exit_code;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

std::string Golden(std::string_view name) {
  return ReadWholeFile(WinePath(DWELVANE_SOURCE_DIR "/tests/data/" + std::string(name)));
}

std::string CopyDemoTo(const TempFolder& folder, const std::string& name) {
  const std::string project = folder.Path() + "\\" + name + "\\Demo";
  CopyFolder(WinePath(DWELVANE_SOURCE_DIR "/examples/Demo"), project);
  return project;
}

ProjectWindow::ProjectWindow(const std::string& project, Language language) {
  state.settings.WMEProjectDir = project.empty() ? project : project + "\\";
  ApplyFirstRunDefaults(state.settings, state.settings.WMEProjectDir);
  state.settings.Language = language;
  EXPECT_TRUE(loop.OpenMainWindow());
  loop.PushSettings();
  window.DrainWindowEvents();
}

void ProjectWindow::Click(int gadget) {
  SendMessageW(window.GadgetHandle(gadget), BM_CLICK, 0, 0);
  for (WindowEvent event{}; event.gadget != gadget;) {
    event = window.WaitEvent();
    ASSERT_EQ(event.kind, kGadgetEvent);
    loop.HandleGadget(event.gadget);
  }
}

std::wstring ProjectWindow::Shown(int gadget) const {
  const HWND control = window.GadgetHandle(gadget);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace dwelvane::testing

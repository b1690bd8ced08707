// A test tool that starts a command line as Explorer starts a verb's command (CreateProcess on
// the whole line), waits for that process's main window to be shown, prints the entries of its
// lists one a line ("List1: <name>", "List2: <name>", in UTF-8) as an outside program reads them,
// closes the window and returns the program's exit status.
//   window_probe.exe "\"C:\Program Files\kestro.exe\" --window \"C:\My Photos\""
// Exit status 3 when the line could not be started or no window came within 30 s.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "winui/control_names.h"
#include "winui/win32_text.h"

namespace {

constexpr int kExitNoWindow = 3;

void PrintList(HWND window, const char* name) {
  HWND list = kestro::FindNamedControl(window, name);
  if (list == nullptr) return;
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto length = static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
    std::wstring text(length + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    std::printf("%s: %s\n", name, kestro::Utf8(text).c_str());
  }
}

struct Search {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK FindShownMainWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t class_name[32] = {};
  GetClassNameW(window, class_name, 32);
  if (process != search->process || lstrcmpW(class_name, L"KestrovaneForm1") != 0 ||
      !IsWindowVisible(window)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

int main() {
  // The one argument is the line to start, as the probe's caller gave it.
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr || count != 2) {
    std::fprintf(stderr, "window_probe: give the command line to start as one argument\n");
    return kExitNoWindow;
  }
  std::wstring command = words[1];
  LocalFree(words);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "window_probe: cannot start the command (error %lu)\n", GetLastError());
    return kExitNoWindow;
  }
  Search search{process.dwProcessId};
  for (int waited = 0; waited < 300 && search.found == nullptr; ++waited) {
    EnumWindows(FindShownMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr && WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) {
      break;
    }
  }
  DWORD status = kExitNoWindow;
  if (search.found == nullptr) {
    std::fprintf(stderr, "window_probe: the command showed no main window of Kestrovane\n");
    TerminateProcess(process.hProcess, kExitNoWindow);
  } else {
    PrintList(search.found, "List1");
    PrintList(search.found, "List2");
    std::fflush(stdout);
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process.hProcess, &status);
    } else {
      std::fprintf(stderr, "window_probe: the window was closed but the program did not end\n");
      TerminateProcess(process.hProcess, kExitNoWindow);
    }
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}

#include "platform/text_output.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace kestro {
namespace {

// A handle the caller gave: a pipe, a disk file or a character device (a console, NUL).
bool Given(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The code page the console had before the program set UTF-8, given back when it ends, so the
// console stays as its user set it.
UINT console_code_page = 0;

void GiveBackConsoleCodePage() { SetConsoleOutputCP(console_code_page); }

}  // namespace

bool AlwaysADisplay() { return true; }

bool PrepareTextOutput() {
  const bool out_given = Given(STD_OUTPUT_HANDLE);
  const bool err_given = Given(STD_ERROR_HANDLE);
  if (out_given && err_given) return true;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return err_given;
  // Names are UTF-8 text; the console shows them as such only on its UTF-8 code page.
  console_code_page = GetConsoleOutputCP();
  if (console_code_page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
    std::atexit(GiveBackConsoleCodePage);
  }
  if (!out_given && std::freopen("CONOUT$", "w", stdout) == nullptr) return err_given;
  if (!err_given && std::freopen("CONOUT$", "w", stderr) == nullptr) return false;
  return true;
}

// A write to a pipe nobody reads fails with ERROR_NO_DATA here; no signal ends the program.
void KeepRunningWhenOutputCloses() {}

}  // namespace kestro

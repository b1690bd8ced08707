// Design names on Win32 controls, readable from outside the process: the window property "Name"
// holds a global atom of the name, as objectName does on Linux.
//   SetControlName(hwnd, "Command10");  ...  FindNamedControl(form1, "Command10") == hwnd
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kestro {

inline constexpr wchar_t kNameProperty[] = L"Name";

// Gives `hwnd` the design name `name` (ASCII). The atom goes when RemoveControlName is called.
void SetControlName(HWND hwnd, std::string_view name);
// Takes the name back off `hwnd`, freeing its atom (call before the window is destroyed).
void RemoveControlName(HWND hwnd);
// The design name of `hwnd`; empty when it has none.
[[nodiscard]] std::string ControlName(HWND hwnd);
// The child of `parent` (at any depth) named `name`; nullptr when there is none.
[[nodiscard]] HWND FindNamedControl(HWND parent, std::string_view name);

}  // namespace kestro

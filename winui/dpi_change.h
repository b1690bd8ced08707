// WM_DPICHANGED, by one rule for every window of the program: its places and fonts at the new
// DPI, the window at the rectangle the system suggests, so it stays sharp on another screen.
//   case WM_DPICHANGED: RescaleWindow(hwnd, DpiChangeScale(wparam) / scale_, fonts, *rect);
#pragma once

#include <windows.h>

#include <span>

namespace kestro {

// The scale (the DPI over 96) a WM_DPICHANGED's `wparam` gives; x and y have the same.
[[nodiscard]] double DpiChangeScale(WPARAM wparam);

// `window` at `suggested` (WM_DPICHANGED's rectangle), painted anew.
void MoveToSuggested(HWND window, const RECT& suggested);

// For a window whose controls were placed once: each of its children moved and sized by `ratio`
// (the new scale over the old; edges rounded, so neighbours stay neighbours), each of `fonts`
// (the window's own, which it keeps and deletes) replaced by one `ratio` times as tall on every
// child that used it, then the window at `suggested`.
void RescaleWindow(HWND window, double ratio, std::span<HFONT* const> fonts, const RECT& suggested);

}  // namespace kestro

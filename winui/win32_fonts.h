// The dialog face of the windows: Tahoma (Wine and Windows both have it) at a point size, scaled
// with the screen's DPI, which also gives the scale of twips; window classes, sizes and places.
#pragma once

#include <windows.h>

namespace kestro {

// The screen's DPI divided by 96.
[[nodiscard]] double ScreenScale();
// Tahoma at `points` on this screen; the caller deletes it.
[[nodiscard]] HFONT DialogFont(double points, bool bold = false);
// Tahoma at `points` at `scale` (a DPI divided by 96): a window moved to a screen of another DPI.
[[nodiscard]] HFONT ScaledDialogFont(double points, double scale, bool bold = false);
// Sets `font` on `hwnd` and every child of it.
void SetFontOnAll(HWND hwnd, HFONT font);
// A window class of this program with the dialog background, registered once.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure);
// The outer size of a window whose client area is `width` by `height` pixels.
[[nodiscard]] SIZE OuterSize(int width, int height, DWORD style, DWORD ex_style);
// Where a window of outer size `size` stands in the middle of the primary screen's work area
// (the screen less the task bar).
[[nodiscard]] POINT CentredOnWorkArea(SIZE size);

}  // namespace kestro

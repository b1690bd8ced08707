// DpiChangeScale, MoveToSuggested and RescaleWindow.
#include "winui/dpi_change.h"

#include <cmath>
#include <vector>

namespace kestro {
namespace {

int Scaled(LONG value, double ratio) { return static_cast<int>(std::lround(value * ratio)); }

}  // namespace

double DpiChangeScale(WPARAM wparam) {
  const int dpi = HIWORD(wparam);
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

void MoveToSuggested(HWND window, const RECT& suggested) {
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void RescaleWindow(HWND window, double ratio, std::span<HFONT* const> fonts,
                   const RECT& suggested) {
  std::vector<HFONT> old_fonts;
  for (HFONT* font : fonts) {
    LOGFONTW face{};
    old_fonts.push_back(*font);
    if (*font == nullptr || GetObjectW(*font, sizeof face, &face) == 0) continue;
    face.lfHeight = Scaled(face.lfHeight, ratio);
    *font = CreateFontIndirectW(&face);
  }
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  for (HWND child : children) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    const int left = Scaled(place.left, ratio);
    const int top = Scaled(place.top, ratio);
    SetWindowPos(child, nullptr, left, top, Scaled(place.right, ratio) - left,
                 Scaled(place.bottom, ratio) - top, SWP_NOZORDER | SWP_NOACTIVATE);
    const auto used = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    for (std::size_t i = 0; i < old_fonts.size(); ++i) {
      if (used != nullptr && used == old_fonts[i]) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(*fonts[i]), FALSE);
      }
    }
  }
  // Only now that no child holds them any more.
  for (std::size_t i = 0; i < old_fonts.size(); ++i) {
    if (old_fonts[i] != nullptr && old_fonts[i] != *fonts[i]) DeleteObject(old_fonts[i]);
  }
  MoveToSuggested(window, suggested);
}

}  // namespace kestro

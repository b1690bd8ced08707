// Text between the Win32 API (UTF-16) and the program (UTF-8) at the window's edge, and the
// window text of controls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kestro {

// `text` as UTF-16; invalid UTF-8 shows its bytes as U+FFFD rather than nothing.
[[nodiscard]] std::wstring Wide(std::string_view text);
[[nodiscard]] std::string Utf8(std::wstring_view text);
[[nodiscard]] std::string WindowText(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view text);
// `text`, two blanks and `hint` in at most `width` pixels of the font selected into `dc`: `text`
// gives up its end to "..." as far as it must, `hint` stays whole.
[[nodiscard]] std::wstring FitBeforeHint(HDC dc, std::wstring_view text, std::wstring_view hint,
                                         int width);

}  // namespace kestro

namespace kestro {

// A count as the user's locale writes it, with its thousands separator: "72,116".
[[nodiscard]] std::string LocaleCount(std::size_t n);

}  // namespace kestro

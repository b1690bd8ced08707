// Win32 text conversions.
#include "winui/win32_text.h"

#include "platform/windows/wide_text.h"

namespace kestro {

std::wstring Wide(std::string_view text) {
  if (std::optional<std::wstring> wide = WideFromUtf8(text)) return *wide;
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Utf8(std::wstring_view text) { return Utf8FromWide(text); }

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return Utf8(text);
}

void SetWindowTextUtf8(HWND hwnd, std::string_view text) {
  SetWindowTextW(hwnd, Wide(text).c_str());
}

std::wstring FitBeforeHint(HDC dc, std::wstring_view text, std::wstring_view hint, int width) {
  const auto line = [&](std::size_t kept) {
    std::wstring shown(text.substr(0, kept));
    if (kept < text.size()) shown += L"...";
    return shown.append(L"  ").append(hint);
  };
  const auto fits = [&](const std::wstring& shown) {
    SIZE size{};
    GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    return size.cx <= width;
  };
  if (fits(line(text.size()))) return line(text.size());
  std::size_t low = 0;  // the most characters of `text` known to fit
  std::size_t high = text.size();
  while (low + 1 < high) {
    const std::size_t middle = (low + high) / 2;
    if (fits(line(middle))) {
      low = middle;
    } else {
      high = middle;
    }
  }
  // Never half a surrogate pair.
  if (low > 0 && IS_HIGH_SURROGATE(text[low - 1])) --low;
  return line(low);
}

}  // namespace kestro

namespace kestro {

std::string LocaleCount(std::size_t n) {
  wchar_t separator[8] = L",";
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8);
  const std::string digits = std::to_string(n);
  const std::string sep = Utf8(separator);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += sep;
    text += digits[i];
  }
  return text;
}

}  // namespace kestro

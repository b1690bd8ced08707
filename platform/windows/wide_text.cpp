#include "platform/windows/wide_text.h"

#include <windows.h>

#include <climits>

#include "engine/utf8_text.h"

namespace kestro {

namespace {

// Encodes a UTF-16 sequence, lone surrogates included (each as its own three bytes).
void AppendCodeUnits(std::wstring_view text, std::string* out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char16_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      const char32_t low = static_cast<char16_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(*out, c);
  }
}

}  // namespace

std::optional<std::wstring> WideFromUtf8(std::string_view text) {
  if (text.empty()) return std::wstring();
  if (text.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(text.size());
  const int wide_size =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (wide_size <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(),
                          wide_size) != wide_size) {
    return std::nullopt;
  }
  return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
  std::string out;
  if (text.empty()) return out;
  if (text.size() <= INT_MAX / 4) {
    const int size = static_cast<int>(text.size());
    const int narrow_size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), size,
                                                nullptr, 0, nullptr, nullptr);
    if (narrow_size > 0) {
      out.resize(static_cast<std::size_t>(narrow_size));
      if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), size, out.data(),
                              narrow_size, nullptr, nullptr) == narrow_size) {
        return out;
      }
      out.clear();
    }
  }
  // A lone surrogate (or a text too long for the API): encoded unit by unit.
  AppendCodeUnits(text, &out);
  return out;
}

}  // namespace kestro

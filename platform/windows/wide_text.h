// Names as the Windows API holds them (UTF-16) and as Kestrovane holds them (UTF-8), and the
// conversions between the two at the API's edge.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestro {

// `text` as UTF-16, or no value when `text` is not valid UTF-8 (such a name cannot be handed to
// the system unchanged, so it is refused rather than mangled).
[[nodiscard]] std::optional<std::wstring> WideFromUtf8(std::string_view text);

// `text` as UTF-8. A name on disk may hold a lone surrogate, which no UTF-8 text can carry: it is
// written as the three bytes it would take if it were a code point (ED A0 80 for U+D800), so the
// result is not valid UTF-8 and the batch keeps such an entry's name and reports it, rather than
// renaming it under a name that differs from the one on disk.
[[nodiscard]] std::string Utf8FromWide(std::wstring_view text);

}  // namespace kestro

// UTF-8 text by code points, and Unicode simple case mapping that does not depend on the locale.
// Lengths and positions count code points; a code point is never split.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestro {

[[nodiscard]] bool IsValidUtf8(std::string_view text);
// Number of code points of valid UTF-8 text.
[[nodiscard]] std::size_t CodePointCount(std::string_view text);
// The first `count` code points (all of them when there are fewer).
[[nodiscard]] std::string_view FirstCodePoints(std::string_view text, std::size_t count);
// The last `count` code points (all of them when there are fewer).
[[nodiscard]] std::string_view LastCodePoints(std::string_view text, std::size_t count);

// Unicode simple case mapping, whatever LANG says ("é" -> "É" also under LANG=C). Characters
// without case, and bytes that are not valid UTF-8, pass unchanged.
[[nodiscard]] char32_t SimpleUpper(char32_t c);
[[nodiscard]] char32_t SimpleLower(char32_t c);
[[nodiscard]] std::string ToUpper(std::string_view text);
[[nodiscard]] std::string ToLower(std::string_view text);

}  // namespace kestro

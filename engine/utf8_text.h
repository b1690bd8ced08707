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

// One step through UTF-8 text. At `pos` either a whole code point (`valid`, `length` 1 to 4) or
// one byte that does not start a well-formed sequence (not `valid`, `length` 1, `value` the byte).
// Overlong forms, surrogates and values above U+10FFFF are not well-formed.
struct Utf8Unit {
  char32_t value = 0;
  std::size_t length = 1;
  bool valid = false;
};
[[nodiscard]] Utf8Unit DecodeUtf8At(std::string_view text, std::size_t pos);

// Appends the UTF-8 form of the code point `c` (which must be a Unicode scalar value).
void AppendUtf8(std::string& out, char32_t c);

}  // namespace kestro

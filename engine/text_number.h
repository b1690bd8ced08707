// Text read as a number, and the rounding used wherever a count is rounded.
#pragma once

#include <string_view>

namespace kestro {

// Blanks at the start are skipped; then an optional sign, digits, an optional decimal point and
// fraction. Anything else ends the number; text that does not begin with a number reads as 0.
//   ReadNumber(" 3") == 3, ReadNumber("2.5x") == 2.5, ReadNumber("abc") == 0.
[[nodiscard]] double ReadNumber(std::string_view text);

// The nearest whole number, halves to the even neighbour: 2.5 -> 2, 3.5 -> 4, -0.5 -> -0.
[[nodiscard]] double RoundHalfEven(double value);

}  // namespace kestro

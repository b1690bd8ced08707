#include "engine/text_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kestro {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double ReadNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t start = i;
  bool whole_digits_nonzero = false;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    whole_digits_nonzero = whole_digits_nonzero || text[i] != '0';
    ++i;
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) return 0.0;  // "", "-", ".", "abc": no number at the start

  // from_chars does not look at the locale, so "2.5" reads the same under every LC_NUMERIC.
  double value = 0.0;
  const char* first = text.data() + start;
  const char* last = text.data() + i;
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (error == std::errc::result_out_of_range) {
    // Too many digits for a double: a long whole part overflows, a long fraction of zeros
    // underflows.
    value = whole_digits_nonzero ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc() || end != last) {
    value = 0.0;
  }
  return negative ? -value : value;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double below = std::floor(value);
  const double fraction = value - below;
  double result = below;
  if (fraction > 0.5) {
    result = below + 1.0;
  } else if (fraction == 0.5) {
    result = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
  }
  return std::copysign(result, value);
}

}  // namespace kestro

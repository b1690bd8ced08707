// Text as a person reads it on one line: a name may hold control characters (a newline, a tab,
// an escape), which must neither break a report line in two nor fake another line.
#pragma once

#include <string>
#include <string_view>

namespace kestro {

// `text` with every control character (below U+0020, and U+007F) written out: "\n", "\t", or
// "\xHH" with two upper-case hex digits. Every other byte, the backslash included, stays as it is:
//   PrintableText("a\nb\x1b") == "a\\nb\\x1B".
[[nodiscard]] std::string PrintableText(std::string_view text);

}  // namespace kestro

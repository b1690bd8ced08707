// Replace by regular expression: PCRE2 in UTF-8 mode with Unicode properties, every match of the
// name replaced, the replacement in PCRE2's extended form.
//   RegexReplaceAll("img_0042.jpg", "^img_(\\d+)", "Photo $1", false, &out, &why)  // "Photo
//   0042.jpg"
#pragma once

#include <string>
#include <string_view>

namespace kestro {

// Steps one match may take before it gives up: a pattern that backtracks without end, such as
// "(a+)+$" on a long run of "a", stops here instead of hanging the program.
inline constexpr unsigned kPatternMatchLimit = 1'000'000;

// Why `pattern` does not compile, as one line that names it, the reason and the offset:
// "bad pattern '(img': missing closing parenthesis at offset 4". Empty when it compiles.
[[nodiscard]] std::string PatternError(std::string_view pattern, bool match_case);

// Every match of `pattern` in `source` (left to right, no overlaps; an empty match counts, so
// "^" puts the replacement before the name) replaced by `replacement`, in which "$1".."$99",
// "${name}" and "$0" are the groups and the whole match (an unset or unknown group is empty),
// "$$" is "$", and "\U", "\L" change the case of what follows up to "\E". Without `match_case`
// letters match without regard to case, accented ones included. `source` must be valid UTF-8.
// On failure returns false, leaves `out` alone and says why in `failure`: the pattern does not
// compile, the replacement is malformed, or the match limit was hit on this source.
// A pattern is compiled once per thread and kept while it is the one asked for, so a batch of
// names costs one compilation and one match block.
[[nodiscard]] bool RegexReplaceAll(std::string_view source, std::string_view pattern,
                                   std::string_view replacement, bool match_case, std::string* out,
                                   std::string* failure);

}  // namespace kestro

// The argument text of a Windows command line: the raw text that GetCommandLineW gives, less the
// program's own name. The words are split from it once, by SplitArgumentText.
#pragma once

#include <string_view>

namespace kestro {

// The rest of `command_line` after the program's name and the blanks that follow it, as it is:
// quotes, doubled blanks and blanks at the end are kept. The name is taken by the system's rule
// for the first word: one that begins with a double quote ends at the next double quote (a
// backslash escapes nothing there); any other ends at the first blank or tab. Blanks and tabs
// after it are skipped.
// ArgumentsOfCommandLine(L"\"C:\\Program Files\\kestro.exe\"  C:\\Photos  -F *.doc") ==
// L"C:\\Photos  -F *.doc".
[[nodiscard]] std::wstring_view ArgumentsOfCommandLine(std::wstring_view command_line);

}  // namespace kestro

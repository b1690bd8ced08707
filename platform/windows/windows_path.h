// Windows path rules that need no system call: joining a folder and a name ("C:\" gives "C:\name",
// never a doubled separator) and the separators "\" and "/".
#pragma once

#include <string>
#include <string_view>

namespace kestro {

// Whether `c` separates the parts of a Windows path ("\" or "/").
[[nodiscard]] constexpr bool IsWindowsSeparator(char c) { return c == '\\' || c == '/'; }

// `folder` and `name` joined by one "\"; a folder that already ends in a separator (a drive root
// "C:\", a share root "\\server\share\") gets none added.
// JoinWindowsPath("C:\\", "a.txt") == "C:\\a.txt"; JoinWindowsPath("C:\\Photos", "a") ==
// "C:\\Photos\\a".
[[nodiscard]] std::string JoinWindowsPath(std::string_view folder, std::string_view name);

// `path` (a full path as GetFullPathNameW gives it) without separators at its end, except where
// the separator belongs to a root: "C:\" and "\\server\share\" keep theirs, "C:\Photos\" loses it.
[[nodiscard]] std::wstring WithoutTrailingSeparator(std::wstring path);

}  // namespace kestro

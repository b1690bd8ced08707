#include "platform/windows/windows_path.h"

namespace kestro {

namespace {

bool IsWideSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The length of the root that starts `path`: "C:\" (3), "\\server\share\" (through its final
// separator), "\\?\C:\" (7); 0 when `path` starts with none of them.
std::size_t RootLength(std::wstring_view path) {
  if (path.size() >= 3 && path[1] == L':' && IsWideSeparator(path[2])) return 3;
  if (path.size() >= 2 && IsWideSeparator(path[0]) && IsWideSeparator(path[1])) {
    if (path.size() >= 7 && path[2] == L'?' && IsWideSeparator(path[3]) && path[5] == L':' &&
        IsWideSeparator(path[6])) {
      return 7;
    }
    // \\server\share\ : two parts after the leading pair.
    std::size_t i = 2;
    for (int part = 0; part < 2; ++part) {
      while (i < path.size() && !IsWideSeparator(path[i])) ++i;
      if (i == path.size()) return path.size();
      ++i;
    }
    return i;
  }
  return 0;
}

}  // namespace

std::string JoinWindowsPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || !IsWindowsSeparator(path.back())) path += '\\';
  path += name;
  return path;
}

std::wstring WithoutTrailingSeparator(std::wstring path) {
  const std::size_t root = RootLength(path);
  while (path.size() > root && IsWideSeparator(path.back())) path.pop_back();
  return path;
}

}  // namespace kestro

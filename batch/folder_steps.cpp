// FolderSteps.
#include "batch/folder_steps.h"

#include <cctype>

namespace kestro {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// The length of the root at the start of `folder`, 0 when it has none.
std::size_t RootLength(std::string_view folder) {
  if (folder.size() >= 2 && IsSeparator(folder[0]) && IsSeparator(folder[1])) {
    // "\\server\share": the root runs to the end of the share name.
    std::size_t i = 2;
    int parts = 0;
    while (i < folder.size() && parts < 2) {
      const std::size_t start = i;
      while (i < folder.size() && !IsSeparator(folder[i])) ++i;
      if (i > start) ++parts;
      if (parts < 2 && i < folder.size()) ++i;
    }
    return parts == 2 ? i : 0;
  }
  if (!folder.empty() && IsSeparator(folder[0])) return 1;
  if (folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) &&
      folder[1] == ':' && IsSeparator(folder[2])) {
    return 3;
  }
  return 0;
}

}  // namespace

std::vector<FolderStep> FolderSteps(const FileSystem& fs, std::string_view folder) {
  std::vector<FolderStep> chain;
  const std::size_t root_length = RootLength(folder);
  if (root_length == 0) return chain;
  std::string path(folder.substr(0, root_length));
  chain.push_back({path, path});
  std::size_t i = root_length;
  while (i < folder.size()) {
    while (i < folder.size() && IsSeparator(folder[i])) ++i;
    const std::size_t start = i;
    while (i < folder.size() && !IsSeparator(folder[i])) ++i;
    if (i == start) break;
    std::string name(folder.substr(start, i - start));
    path = fs.JoinPath(path, name);
    chain.push_back({path, std::move(name)});
  }
  return chain;
}

}  // namespace kestro

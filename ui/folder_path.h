// The chain of folders from the root down to an open folder, as the directory tree list shows
// it: "/home/ann/photos" gives "/", "/home", "/home/ann", "/home/ann/photos".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace kestro {

struct FolderLink {
  std::string path;  // full path
  std::string name;  // what the list shows: the folder's own name, or the root as written
};

// Roots: "/" and, in the Windows forms, "C:\" (or "C:/") and "\\server\share". Separators "/"
// and "\" both split; empty parts ("a//b") are skipped. Paths are joined with fs.JoinPath, so
// they read as the platform writes them. A relative or empty `folder` gives an empty chain.
[[nodiscard]] std::vector<FolderLink> FolderChain(const FileSystem& fs, std::string_view folder);

}  // namespace kestro

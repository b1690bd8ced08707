// The chain of folders from the root down to an open folder, as a directory tree list shows it:
// "/home/ann/photos" gives "/", "/home", "/home/ann", "/home/ann/photos"; "C:\a" gives "C:\",
// "C:\a".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace kestro {

struct FolderStep {
  std::string path;  // full path
  std::string name;  // what the list shows: the folder's own name, or the root as written
};

// Roots: "/", "C:\" (or "C:/") and "\\server\share". Separators "/" and "\" both split; empty
// parts ("a//b") are skipped. Paths are joined with fs.JoinPath, so they read as the platform
// writes them. A relative or empty `folder` gives an empty chain.
[[nodiscard]] std::vector<FolderStep> FolderSteps(const FileSystem& fs, std::string_view folder);

}  // namespace kestro

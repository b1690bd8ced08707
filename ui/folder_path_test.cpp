#include "ui/folder_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace kestro {
namespace {

// Joins as Windows does, to check the Windows forms of a root.
class BackslashJoin : public MemoryFileSystem {
 public:
  std::string JoinPath(std::string_view folder, std::string_view name) const override {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path + std::string(name);
  }
};

std::vector<std::string> Paths(const std::vector<FolderLink>& chain) {
  std::vector<std::string> paths;
  for (const FolderLink& link : chain) paths.push_back(link.path);
  return paths;
}

std::vector<std::string> Names(const std::vector<FolderLink>& chain) {
  std::vector<std::string> names;
  for (const FolderLink& link : chain) names.push_back(link.name);
  return names;
}

TEST(FolderChainTest, PosixPaths) {
  MemoryFileSystem fs;
  struct Case {
    const char* folder;
    std::vector<std::string> paths;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"/", {"/"}, {"/"}},
      {"/home", {"/", "/home"}, {"/", "home"}},
      {"/home/ann/my photos",
       {"/", "/home", "/home/ann", "/home/ann/my photos"},
       {"/", "home", "ann", "my photos"}},
      {"/a//b/", {"/", "/a", "/a/b"}, {"/", "a", "b"}},
      {"relative/x", {}, {}},
      {"", {}, {}},
  };
  for (const Case& c : cases) {
    const std::vector<FolderLink> chain = FolderChain(fs, c.folder);
    EXPECT_EQ(Paths(chain), c.paths) << c.folder;
    EXPECT_EQ(Names(chain), c.names) << c.folder;
  }
}

TEST(FolderChainTest, WindowsRoots) {
  BackslashJoin fs;
  EXPECT_EQ(Paths(FolderChain(fs, "C:\\")), (std::vector<std::string>{"C:\\"}));
  EXPECT_EQ(Paths(FolderChain(fs, "C:\\Tools\\bin")),
            (std::vector<std::string>{"C:\\", "C:\\Tools", "C:\\Tools\\bin"}));
  EXPECT_EQ(Names(FolderChain(fs, "D:/x")), (std::vector<std::string>{"D:/", "x"}));
  EXPECT_EQ(Paths(FolderChain(fs, "\\\\server\\share\\docs")),
            (std::vector<std::string>{"\\\\server\\share", "\\\\server\\share\\docs"}));
  EXPECT_TRUE(FolderChain(fs, "\\\\server").empty());
}

}  // namespace
}  // namespace kestro

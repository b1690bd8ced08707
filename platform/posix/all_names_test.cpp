// ListAllNames on the in-memory and the POSIX file system: every name a rename can run into,
// hidden ones and every kind included, the same on both.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/memory_file_system.h"
#include "platform/posix/posix_file_system.h"

namespace kestro {
namespace {

using Names = std::vector<std::string>;

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

const Names kExpected = {".hidden", ".hidden dir", "a.txt", "link", "sub"};

TEST(ListAllNamesTest, MemoryListsHiddenEntriesAndEveryKind) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "a.txt");
  fs.AddFile("/f", ".hidden");
  fs.AddFile("/f", "link");
  fs.AddDirectory("/f", "sub");
  fs.AddDirectory("/f", ".hidden dir");
  fs.AddFile("/f/sub", "inside");
  Names names;
  ASSERT_TRUE(fs.ListAllNames("/f", &names).ok());
  EXPECT_EQ(Sorted(names), kExpected);
}

TEST(ListAllNamesTest, PosixListsHiddenEntriesLinksAndEveryKind) {
  namespace stdfs = std::filesystem;
  std::string pattern = (stdfs::temp_directory_path() / "kestro-all-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::string folder = pattern;
  std::ofstream(folder + "/a.txt") << "a";
  std::ofstream(folder + "/.hidden") << "h";
  stdfs::create_directory(folder + "/sub");
  stdfs::create_directory(folder + "/.hidden dir");
  std::ofstream(folder + "/sub/inside") << "i";
  stdfs::create_symlink(folder + "/nowhere", folder + "/link");  // dangling: still a name

  PosixFileSystem fs;
  Names names;
  const Status status = fs.ListAllNames(folder, &names);
  std::error_code ignored;
  stdfs::remove_all(folder, ignored);
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(Sorted(names), kExpected);
}

TEST(ListAllNamesTest, AFolderThatIsNotThereIsNamedInTheFailure) {
  MemoryFileSystem memory;
  PosixFileSystem posix;
  for (FileSystem* fs : {static_cast<FileSystem*>(&memory), static_cast<FileSystem*>(&posix)}) {
    Names names = {"stale"};
    const Status status = fs->ListAllNames("/no/such/folder", &names);
    EXPECT_EQ(status.code(), Status::Code::kNotFound);
    EXPECT_NE(status.message().find("/no/such/folder"), std::string::npos) << status.message();
    EXPECT_TRUE(names.empty());
  }
}

}  // namespace
}  // namespace kestro

#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/file_system_conformance_test.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

using Names = std::vector<std::string>;

class MemoryWorld {
 public:
  static constexpr char kSeparator = '/';
  FileSystem& fs() { return fs_; }
  std::string NewFolder() {
    const std::string folder = "/tmp/world" + std::to_string(++folders_);
    fs_.AddFolder(folder);
    return folder;
  }
  void AddFile(const std::string& folder, const std::string& name, const std::string& content) {
    fs_.AddFile(folder, name, content);
  }
  void AddDirectory(const std::string& folder, const std::string& name) {
    fs_.AddDirectory(folder, name);
  }
  Names AllNames(const std::string& folder) { return fs_.AllNames(folder); }
  std::optional<std::string> Content(const std::string& folder, const std::string& name) {
    return fs_.Content(folder, name);
  }
  void SetWorkingFolder(const std::string& folder) { fs_.SetWorkingFolder(folder); }
  std::string Root() { return "/"; }

 private:
  MemoryFileSystem fs_;
  int folders_ = 0;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemConformance, ::testing::Types<MemoryWorld>);

TEST(MemoryFileSystemTest, RecordsEveryRenameAndFailsAsToldOnceOrAlways) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "a", "a");
  fs.AddFile("/f", "busy");
  fs.AddFile("/f", "broken");
  fs.AddDirectory("/f", "gone");
  fs.AddFile("/f/gone", "inner");
  fs.MarkInUse("/f", "busy");
  fs.FailRenameOf("/f", "broken", Status::Error(Status::Code::kIoError, "disk on fire"));
  fs.VanishBeforeRename("/f", "gone");
  int hooked = 0;
  fs.SetBeforeRename([&] { ++hooked; });

  EXPECT_TRUE(fs.RenameNoReplace("/f", "a", "c").ok());
  EXPECT_EQ(fs.RenameNoReplace("/f", "busy", "x").message(), std::strerror(EBUSY));
  EXPECT_EQ(fs.RenameNoReplace("/f", "broken", "x").message(), "disk on fire");
  EXPECT_EQ(fs.RenameNoReplace("/f", "gone", "x").message(), std::strerror(ENOENT));
  Names names;
  EXPECT_EQ(fs.ListNames("/f/gone", EntryKind::kFile, &names).code(), Status::Code::kNotFound);
  fs.AddDirectory("/f", "gone");  // it vanishes once only
  EXPECT_TRUE(fs.RenameNoReplace("/f", "gone", "went").ok());

  const auto& calls = fs.rename_calls();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(hooked, 5);
  EXPECT_EQ(calls[0].folder + ":" + calls[0].old_name + ">" + calls[0].new_name, "/f:a>c");
  EXPECT_EQ(calls[1].result.code(), Status::Code::kInUse);
  EXPECT_EQ(calls[3].result.code(), Status::Code::kNotFound);
  EXPECT_EQ(fs.AllNames("/f"), (Names{"broken", "busy", "c", "went"}));
}

TEST(MemoryFileSystemTest, ARenamedDirectoryLeavesSimilarlyNamedFoldersAlone) {
  MemoryFileSystem fs;
  fs.AddFile("/f/a", "in a");
  fs.AddFile("/f/a b", "in a b");
  fs.AddFile("/f/a/b", "in a/b");
  fs.AddFile("/f/ab", "in ab");
  ASSERT_TRUE(fs.RenameNoReplace("/f", "a", "z").ok());
  EXPECT_EQ(fs.AllNames("/f"), (Names{"a b", "ab", "z"}));
  EXPECT_EQ(fs.AllNames("/f/z"), (Names{"b", "in a"}));
  EXPECT_EQ(fs.AllNames("/f/z/b"), Names{"in a/b"});
  EXPECT_EQ(fs.AllNames("/f/a b"), Names{"in a b"});
  EXPECT_EQ(fs.AllNames("/f/ab"), Names{"in ab"});
  EXPECT_TRUE(fs.AllNames("/f/a/b").empty());
}

// As NTFS or vfat: a name in any case finds the entry, which keeps its own spelling.
TEST(MemoryFileSystemTest, CaseInsensitiveFindsAnEntryInAnyCaseAndKeepsItsSpelling) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "Straße.TXT", "s");
  fs.AddFile("/f", "Photo.JPG", "p");
  fs.SetCaseInsensitive(true);  // the entries already there are found too
  fs.AddFile("/f", "other.txt", "o");
  EXPECT_FALSE(fs.Exists("/f", "STRASSE.txt"));  // simple case mapping: ß stays ß
  EXPECT_EQ(fs.Content("/f", "STRAßE.txt"), "s");
  EXPECT_EQ(fs.RenameNoReplace("/f", "straße.txt", "OTHER.TXT").message(), kNameExists);
  ASSERT_TRUE(fs.RenameNoReplace("/f", "straße.txt", "STRAẞE.txt").ok());
  ASSERT_TRUE(fs.RenameNoReplace("/f", "PHOTO.JPG", "photo.jpg").ok());
  EXPECT_EQ(fs.AllNames("/f"), (Names{"STRAẞE.txt", "other.txt", "photo.jpg"}));
  EXPECT_EQ(fs.Content("/f", "straße.TXT"), "s");
}

}  // namespace
}  // namespace kestro

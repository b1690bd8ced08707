#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <string>
#include <vector>

#include "platform/file_system_conformance.h"
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

 protected:
  MemoryFileSystem fs_;
  int folders_ = 0;
};

// The same behaviour holds with names compared without regard to case, as long as no two names
// are case twins.
class CaseInsensitiveMemoryWorld : public MemoryWorld {
 public:
  CaseInsensitiveMemoryWorld() { fs_.SetCaseInsensitive(true); }
};

using MemoryWorlds = ::testing::Types<MemoryWorld, CaseInsensitiveMemoryWorld>;
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemConformance, MemoryWorlds);

TEST(MemoryFileSystemTest, AddFolderMakesEveryParentAListedDirectory) {
  MemoryFileSystem fs;
  fs.AddFolder("/a/b/c");
  Names names;
  ASSERT_TRUE(fs.ListNames("/", EntryKind::kDirectory, &names).ok());
  EXPECT_EQ(names, Names{"a"});
  ASSERT_TRUE(fs.ListNames("/a/b", EntryKind::kDirectory, &names).ok());
  EXPECT_EQ(names, Names{"c"});
  fs.AddFolder("/a/b");  // kept as it is
  EXPECT_EQ(fs.AllNames("/a/b"), Names{"c"});
}

TEST(MemoryFileSystemTest, RecordsEveryRenameWithItsResultInOrder) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "a");
  fs.AddFile("/f", "b");
  EXPECT_TRUE(fs.RenameNoReplace("/f", "a", "c").ok());
  EXPECT_FALSE(fs.RenameNoReplace("/f", "b", "c").ok());
  EXPECT_FALSE(fs.RenameNoReplace("/f", "b", "x/y").ok());

  const auto& calls = fs.rename_calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].old_name, "a");
  EXPECT_EQ(calls[0].new_name, "c");
  EXPECT_TRUE(calls[0].result.ok());
  EXPECT_EQ(calls[1].folder, "/f");
  EXPECT_EQ(calls[1].result.code(), Status::Code::kAlreadyExists);
  EXPECT_EQ(calls[2].result.code(), Status::Code::kInvalidName);
}

TEST(MemoryFileSystemTest, AnInjectedFailureKeepsTheEntryAndLaterOnesStillWork) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "1.txt", "one");
  fs.AddFile("/f", "2.txt", "two");
  fs.FailRenameOf("/f", "1.txt", Status::Error(Status::Code::kIoError, "disk on fire"));

  const Status failed = fs.RenameNoReplace("/f", "1.txt", "a.txt");
  EXPECT_EQ(failed.code(), Status::Code::kIoError);
  EXPECT_EQ(failed.message(), "disk on fire");
  EXPECT_TRUE(fs.RenameNoReplace("/f", "2.txt", "b.txt").ok());
  EXPECT_EQ(fs.AllNames("/f"), (Names{"1.txt", "b.txt"}));
  EXPECT_EQ(fs.Content("/f", "1.txt"), "one");
}

TEST(MemoryFileSystemTest, AnEntryInUseIsKeptWithTheSystemsReason) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "busy");
  fs.MarkInUse("/f", "busy");
  const Status status = fs.RenameNoReplace("/f", "busy", "free");
  EXPECT_EQ(status.code(), Status::Code::kInUse);
  EXPECT_EQ(status.message(), std::strerror(EBUSY));  // the system's own text, as for real
  EXPECT_EQ(fs.AllNames("/f"), Names{"busy"});
}

TEST(MemoryFileSystemTest, AnEntryThatVanishesBeforeItsRenameIsNotFoundOnce) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "ghost");
  fs.AddDirectory("/f", "gone");
  fs.AddFile("/f/gone", "inner");
  fs.VanishBeforeRename("/f", "ghost");
  fs.VanishBeforeRename("/f", "gone");

  EXPECT_TRUE(fs.Exists("/f", "ghost"));
  Status status = fs.RenameNoReplace("/f", "ghost", "spirit");
  EXPECT_EQ(status.code(), Status::Code::kNotFound);
  EXPECT_EQ(status.message(), std::strerror(ENOENT));
  EXPECT_EQ(fs.RenameNoReplace("/f", "gone", "went").code(), Status::Code::kNotFound);
  EXPECT_TRUE(fs.AllNames("/f").empty());
  Names names;
  EXPECT_EQ(fs.ListNames("/f/gone", EntryKind::kFile, &names).code(), Status::Code::kNotFound);

  // The vanishing happens once: an entry of that name made afterwards renames normally.
  fs.AddFile("/f", "ghost");
  EXPECT_TRUE(fs.RenameNoReplace("/f", "ghost", "spirit").ok());
}

TEST(MemoryFileSystemTest, TheHookRunsBeforeEveryRename) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "a");
  std::vector<Names> seen;
  fs.SetBeforeRename([&] { seen.push_back(fs.AllNames("/f")); });
  EXPECT_TRUE(fs.RenameNoReplace("/f", "a", "b").ok());
  EXPECT_FALSE(fs.RenameNoReplace("/f", "a", "b").ok());
  EXPECT_EQ(seen, (std::vector<Names>{{"a"}, {"b"}}));
}

TEST(MemoryFileSystemTest, CaseSensitiveTwinsAreTwoEntries) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "Readme", "upper");
  fs.AddFile("/f", "readme", "lower");
  EXPECT_EQ(fs.RenameNoReplace("/f", "Readme", "readme").code(), Status::Code::kAlreadyExists);
  EXPECT_FALSE(fs.Exists("/f", "README"));
  EXPECT_EQ(fs.RenameNoReplace("/f", "README", "x").code(), Status::Code::kNotFound);
}

TEST(MemoryFileSystemTest, CaseInsensitiveFindsAnEntryInAnyCaseAndKeepsItsSpelling) {
  MemoryFileSystem fs;
  fs.SetCaseInsensitive(true);
  fs.AddFile("/f", "Straße.TXT", "s");
  fs.AddFile("/f", "other.txt", "o");
  EXPECT_FALSE(fs.Exists("/f", "STRASSE.txt"));  // simple case mapping: ß stays ß
  EXPECT_TRUE(fs.Exists("/f", "straße.txt"));
  EXPECT_EQ(fs.Content("/f", "STRAßE.txt"), "s");

  // A name that differs from another entry only in case is that entry: taken.
  Status status = fs.RenameNoReplace("/f", "straße.txt", "OTHER.TXT");
  EXPECT_EQ(status.code(), Status::Code::kAlreadyExists);
  EXPECT_EQ(status.message(), kNameExists);

  // A change of case alone of the entry itself is applied, spelled as asked.
  ASSERT_TRUE(fs.RenameNoReplace("/f", "straße.txt", "STRAẞE.txt").ok());
  EXPECT_EQ(fs.AllNames("/f"), (Names{"STRAẞE.txt", "other.txt"}));
  EXPECT_EQ(fs.Content("/f", "strasse.txt"), std::nullopt);
  EXPECT_EQ(fs.Content("/f", "straße.TXT"), "s");
}

TEST(MemoryFileSystemTest, SwitchingCaseInsensitiveOnIndexesTheEntriesAlreadyThere) {
  MemoryFileSystem fs;
  fs.AddFile("/f", "Photo.JPG", "p");
  fs.SetCaseInsensitive(true);
  ASSERT_TRUE(fs.RenameNoReplace("/f", "PHOTO.JPG", "photo.jpg").ok());
  EXPECT_EQ(fs.AllNames("/f"), Names{"photo.jpg"});
  EXPECT_EQ(fs.Content("/f", "PHOTO.jpg"), "p");
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

TEST(MemoryFileSystemTest, AbsoluteFolderStartsRelativePathsAtTheWorkingFolder) {
  MemoryFileSystem fs;
  fs.AddFolder("/home/u/Photos");
  std::string absolute;
  ASSERT_TRUE(fs.AbsoluteFolder("home/u", &absolute).ok());
  EXPECT_EQ(absolute, "/home/u");
  fs.SetWorkingFolder("/home/u");
  ASSERT_TRUE(fs.AbsoluteFolder("Photos/", &absolute).ok());
  EXPECT_EQ(absolute, "/home/u/Photos");
}

}  // namespace
}  // namespace kestro

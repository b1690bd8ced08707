#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

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

// As NTFS or vfat: a name in any case finds the entry, which keeps its own spelling. (The
// outcome preview copies a Windows folder into such a file system.)
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

#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_system_conformance.h"
#include "platform/listing.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;
using Names = std::vector<std::string>;

// A fresh folder under the system's temporary folder, removed with everything in it at the end;
// the working folder is put back too.
class TempTree {
 public:
  // `base`: where the fresh folder is made; none is made when it is empty.
  // `keep`: leave the folder behind (on a scratch mount that is thrown away whole).
  explicit TempTree(const std::string& base = stdfs::temp_directory_path().string(),
                    bool keep = false)
      : keep_(keep) {
    saved_working_ = stdfs::current_path();
    if (base.empty()) return;
    std::string pattern = base + "/kestro-fs-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed in " << base;
    root_ = pattern;
  }
  ~TempTree() {
    std::error_code ignored;
    stdfs::current_path(saved_working_, ignored);
    if (!root_.empty() && !keep_) stdfs::remove_all(root_, ignored);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  std::string NewFolder() {
    const std::string folder = root_ + "/world" + std::to_string(++folders_);
    stdfs::create_directory(folder);
    return folder;
  }
  static void AddFile(const std::string& folder, const std::string& name,
                      const std::string& content) {
    std::ofstream(folder + "/" + name, std::ios::binary) << content;
  }
  static void AddDirectory(const std::string& folder, const std::string& name) {
    stdfs::create_directory(folder + "/" + name);
  }
  static Names AllNames(const std::string& folder) {
    Names names;
    std::error_code error;
    for (const auto& entry : stdfs::directory_iterator(folder, error)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::optional<std::string> Content(const std::string& folder, const std::string& name) {
    const std::string path = folder + "/" + name;
    if (!stdfs::is_regular_file(stdfs::symlink_status(path))) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static void SetWorkingFolder(const std::string& folder) { stdfs::current_path(folder); }

 private:
  bool keep_;
  std::string root_;
  stdfs::path saved_working_;
  int folders_ = 0;
};

template <PosixFileSystem::RenameMethod kMethod>
class PosixWorld : public TempTree {
 public:
  static constexpr char kSeparator = '/';
  FileSystem& fs() { return fs_; }
  std::string Root() { return "/"; }

 private:
  PosixFileSystem fs_{kMethod};
};

// A case-insensitive file system is seldom at hand on Linux: these worlds live in the folder that
// KESTRO_CASE_INSENSITIVE_DIR names (a vfat mount, say) and are skipped when it is not set.
std::string CaseInsensitiveBase() {
  const char* base = std::getenv("KESTRO_CASE_INSENSITIVE_DIR");
  return base == nullptr ? std::string() : std::string(base);
}

template <PosixFileSystem::RenameMethod kMethod>
class CaseInsensitivePosixWorld : public TempTree {
 public:
  static constexpr char kSeparator = '/';
  static bool Available() { return !CaseInsensitiveBase().empty(); }
  CaseInsensitivePosixWorld() : TempTree(CaseInsensitiveBase(), /*keep=*/true) {}
  FileSystem& fs() { return fs_; }
  std::string Root() { return "/"; }

 private:
  PosixFileSystem fs_{kMethod};
};

using CaseInsensitiveWorlds =
    ::testing::Types<CaseInsensitivePosixWorld<PosixFileSystem::RenameMethod::kAuto>,
                     CaseInsensitivePosixWorld<PosixFileSystem::RenameMethod::kLinkThenUnlink>>;
INSTANTIATE_TYPED_TEST_SUITE_P(CaseInsensitivePosix, FileSystemConformance, CaseInsensitiveWorlds);

template <typename World>
class CaseInsensitiveRenameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!World::Available()) GTEST_SKIP() << "KESTRO_CASE_INSENSITIVE_DIR is not set";
  }
  World world_;
};
TYPED_TEST_SUITE(CaseInsensitiveRenameTest, CaseInsensitiveWorlds);

TYPED_TEST(CaseInsensitiveRenameTest, ACaseTwinIsTheEntryItselfSoOnlyItsOwnCaseChangeIsApplied) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "Photo.JPG", "p");
  w.AddFile(folder, "other.jpg", "o");
  ASSERT_EQ(w.AllNames(folder), (Names{"Photo.JPG", "other.jpg"})) << "not case-insensitive?";

  Status status = w.fs().RenameNoReplace(folder, "Photo.JPG", "OTHER.JPG");
  EXPECT_EQ(status.code(), Status::Code::kAlreadyExists);
  status = w.fs().RenameNoReplace(folder, "Photo.JPG", "photo.jpg");
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(w.AllNames(folder), (Names{"other.jpg", "photo.jpg"}));  // no temporary left
  EXPECT_EQ(w.Content(folder, "photo.jpg"), "p");
  EXPECT_EQ(w.Content(folder, "other.jpg"), "o");
}

using PosixWorlds = ::testing::Types<PosixWorld<PosixFileSystem::RenameMethod::kAuto>,
                                     PosixWorld<PosixFileSystem::RenameMethod::kLinkThenUnlink>,
                                     PosixWorld<PosixFileSystem::RenameMethod::kCheckThenRename>>;
INSTANTIATE_TYPED_TEST_SUITE_P(Posix, FileSystemConformance, PosixWorlds);

// Tests that run once for each way of renaming.
template <typename World>
class PosixRenameTest : public ::testing::Test {
 protected:
  World world_;
};
TYPED_TEST_SUITE(PosixRenameTest, PosixWorlds);

TYPED_TEST(PosixRenameTest, ASymbolicLinkIsRenamedItselfNotWhatItPointsTo) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "target.txt", "t");
  ASSERT_EQ(symlink("target.txt", (folder + "/link").c_str()), 0);

  const Status status = w.fs().RenameNoReplace(folder, "link", "renamed link");
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(w.AllNames(folder), (Names{"renamed link", "target.txt"}));
  EXPECT_TRUE(stdfs::is_symlink(folder + "/renamed link"));
  EXPECT_EQ(stdfs::read_symlink(folder + "/renamed link"), "target.txt");
}

TYPED_TEST(PosixRenameTest, TwoNamesOfOneFileStayTwoNamesAndNoTemporaryIsLeft) {
  // Hard links look like a case-only change (one entry under both names) but are not one: the
  // rename must be refused and undone without a trace.
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "first", "shared");
  ASSERT_EQ(link((folder + "/first").c_str(), (folder + "/second").c_str()), 0);

  const Status status = w.fs().RenameNoReplace(folder, "first", "second");
  EXPECT_EQ(status.code(), Status::Code::kAlreadyExists);
  EXPECT_EQ(status.message(), kNameExists);
  EXPECT_EQ(w.AllNames(folder), (Names{"first", "second"}));
  EXPECT_EQ(w.Content(folder, "first"), "shared");
}

TYPED_TEST(PosixRenameTest, CaseTwinsOnACaseSensitiveFileSystemStayTwoEntries) {
  // Names equal without regard to case go the two-step way in case the file system is
  // case-insensitive; here the second step finds the twin, and the first is undone.
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "readme", "lower");
  w.AddFile(folder, "README", "upper");
  const Status status = w.fs().RenameNoReplace(folder, "readme", "README");
  EXPECT_EQ(status.code(), Status::Code::kAlreadyExists);
  EXPECT_EQ(status.message(), kNameExists);
  EXPECT_EQ(w.AllNames(folder), (Names{"README", "readme"}));
  EXPECT_EQ(w.Content(folder, "readme"), "lower");
  EXPECT_EQ(w.Content(folder, "README"), "upper");
}

TYPED_TEST(PosixRenameTest, ADirectoryIsNeverMovedIntoAnotherOne) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddDirectory(folder, "a");
  w.AddDirectory(folder, "empty");
  const Status status = w.fs().RenameNoReplace(folder, "a", "empty");
  EXPECT_EQ(status.code(), Status::Code::kAlreadyExists);
  EXPECT_EQ(w.AllNames(folder), (Names{"a", "empty"}));
}

TYPED_TEST(PosixRenameTest, AnImmutableFileIsKeptWithTheSystemsReason) {
  auto& w = this->world_;
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "locked", "l");
  const int fd = open((folder + "/locked").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  int flags = 0;
  if (ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0 ||
      (flags |= FS_IMMUTABLE_FL, ioctl(fd, FS_IOC_SETFLAGS, &flags)) != 0) {
    close(fd);
    GTEST_SKIP() << "this file system or user cannot make a file immutable";
  }
  const Status status = w.fs().RenameNoReplace(folder, "locked", "free");
  flags &= ~FS_IMMUTABLE_FL;
  ioctl(fd, FS_IOC_SETFLAGS, &flags);
  close(fd);
  EXPECT_EQ(status.code(), Status::Code::kPermission);
  EXPECT_EQ(status.message(), "Operation not permitted");
  EXPECT_EQ(w.AllNames(folder), Names{"locked"});
}

TEST(PosixFileSystemTest, ARunFollowsItsFolderWhenItIsMovedAndNeverTakesAnother) {
  TempTree tree;
  const std::string parent = tree.NewFolder();
  const std::string work = parent + "/work";
  tree.AddDirectory(parent, "work");
  tree.AddFile(work, "a", "first a");
  PosixFileSystem fs;

  fs.BeginRenames(work);
  // Another program moves the folder away and makes a new one of its name.
  stdfs::rename(work, parent + "/moved");
  tree.AddDirectory(parent, "work");
  tree.AddFile(work, "a", "second a");
  ASSERT_TRUE(fs.RenameNoReplace(work, "a", "b").ok());
  EXPECT_EQ(tree.AllNames(parent + "/moved"), Names{"b"});
  EXPECT_EQ(tree.AllNames(work), Names{"a"});
  fs.EndRenames();

  // Outside a run the path is looked up anew.
  ASSERT_TRUE(fs.RenameNoReplace(work, "a", "c").ok());
  EXPECT_EQ(tree.AllNames(work), Names{"c"});
  EXPECT_EQ(tree.Content(work, "c"), "second a");
}

TEST(PosixFileSystemTest, ListsALinkAsWhatItPointsToAndLeavesDanglingOnesOut) {
  TempTree tree;
  const std::string folder = tree.NewFolder();
  tree.AddFile(folder, "file", "f");
  tree.AddDirectory(folder, "dir");
  ASSERT_EQ(symlink("file", (folder + "/to file").c_str()), 0);
  ASSERT_EQ(symlink("dir", (folder + "/to dir").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (folder + "/dangling").c_str()), 0);
  ASSERT_EQ(symlink("file", (folder + "/.hidden link").c_str()), 0);
  ASSERT_EQ(mkfifo((folder + "/pipe").c_str(), 0600), 0);

  PosixFileSystem fs;
  Names names;
  ASSERT_TRUE(fs.ListNames(folder, EntryKind::kFile, &names).ok());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Names{"file", "to file"}));
  ASSERT_TRUE(fs.ListNames(folder, EntryKind::kDirectory, &names).ok());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Names{"dir", "to dir"}));
}

TEST(PosixFileSystemTest, AbsoluteFolderAcceptsALinkToAFolderAndRefusesOneToAFile) {
  TempTree tree;
  const std::string folder = tree.NewFolder();
  tree.AddDirectory(folder, "dir");
  tree.AddFile(folder, "file", "f");
  ASSERT_EQ(symlink("dir", (folder + "/to dir").c_str()), 0);
  ASSERT_EQ(symlink("file", (folder + "/to file").c_str()), 0);

  PosixFileSystem fs;
  std::string absolute;
  ASSERT_TRUE(fs.AbsoluteFolder(folder + "/to dir/", &absolute).ok());
  EXPECT_EQ(absolute, folder + "/to dir");
  const Status status = fs.AbsoluteFolder(folder + "/to file", &absolute);
  EXPECT_EQ(status.code(), Status::Code::kNotFound);
  EXPECT_EQ(status.message(), "cannot open folder '" + folder + "/to file': Not a directory");
}

TEST(PosixFileSystemTest, ListsAFolderThatIsReadInManyBatches) {
  TempTree tree;
  const std::string folder = tree.NewFolder();
  // Enough entries that the directory is read in many batches.
  for (int i = 0; i < 3000; ++i) tree.AddFile(folder, "f" + std::to_string(i), "");
  for (int i = 0; i < 50; ++i) tree.AddDirectory(folder, "d" + std::to_string(i));
  PosixFileSystem fs;
  Names names;
  ASSERT_TRUE(fs.ListNames(folder, EntryKind::kFile, &names).ok());
  EXPECT_EQ(names.size(), 3000u);
  ASSERT_TRUE(fs.ListNames(folder, EntryKind::kDirectory, &names).ok());
  EXPECT_EQ(names.size(), 50u);
}

}  // namespace
}  // namespace kestro

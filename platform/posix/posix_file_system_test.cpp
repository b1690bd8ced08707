#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system_conformance_test.h"
#include "platform/name_rules.h"
#include "platform/test_tree.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;
using Names = std::vector<std::string>;

template <PosixFileSystem::RenameMethod kMethod>
class PosixWorld : public TempTree {
 public:
  static constexpr char kSeparator = '/';
  FileSystem& fs() { return fs_; }
  PosixFileSystem& posix() { return fs_; }
  std::string Root() { return "/"; }

 private:
  PosixFileSystem fs_{kMethod};
};

// Where the file system lacks RENAME_NOREPLACE a rename goes another way; each way must keep the
// shared promises, and those for what sets this system apart: links, entries of two names, case
// twins.
using Methods = ::testing::Types<PosixWorld<PosixFileSystem::RenameMethod::kAuto>,
                                 PosixWorld<PosixFileSystem::RenameMethod::kLinkThenUnlink>,
                                 PosixWorld<PosixFileSystem::RenameMethod::kClaimThenRename>>;
INSTANTIATE_TYPED_TEST_SUITE_P(Posix, FileSystemConformance, Methods);
template <typename World>
using RenameMethodTest = FileSystemConformance<World>;
TYPED_TEST_SUITE(RenameMethodTest, Methods);

TYPED_TEST(RenameMethodTest, RenamesWithoutReplacingAnythingAndLeavesNoTemporary) {
  auto& w = this->world_;
  std::string steps;
  w.posix().SetStepHookForTesting([&](std::string_view step) { (steps += step) += ' '; });
  const std::string folder = w.NewFolder();
  w.AddFile(folder, "file", "f");
  w.AddFile(folder, "README", "upper");
  w.AddFile(folder, "readme", "lower");
  w.AddDirectory(folder, "dir");
  w.AddDirectory(folder, "empty");
  ASSERT_EQ(symlink("file", (folder + "/link").c_str()), 0);
  ASSERT_EQ(link((folder + "/file").c_str(), (folder + "/second").c_str()), 0);

  // Two names of one file and case twins look like a change of case alone, but are two entries:
  // refused at once, nothing moved, not even for a moment.
  for (const auto& [from, to] :
       {std::pair{"file", "second"}, {"readme", "README"}, {"dir", "empty"}}) {
    const Status status = w.fs().RenameNoReplace(folder, from, to);
    EXPECT_EQ(status.code(), Status::Code::kAlreadyExists) << from << " -> " << to;
    EXPECT_EQ(status.message(), kNameExists) << from << " -> " << to;
  }
  for (const auto& [from, to] :
       {std::pair{"link", "renamed link"}, {"dir", "Dir 2"}, {"readme", "read me"}}) {
    const Status status = w.fs().RenameNoReplace(folder, from, to);
    EXPECT_TRUE(status.ok()) << from << " -> " << to << ": " << status.message();
  }
  EXPECT_EQ(w.AllNames(folder),
            (Names{"Dir 2", "README", "empty", "file", "read me", "renamed link", "second"}));
  EXPECT_EQ(stdfs::read_symlink(folder + "/renamed link"), "file");
  EXPECT_EQ(w.Content(folder, "read me"), "lower");
  EXPECT_EQ(w.Content(folder, "README"), "upper");
  EXPECT_EQ(w.Content(folder, "second"), "f");
  EXPECT_EQ(steps.find("parked"), std::string::npos) << steps;
}

// Where the file system offers no atomic no-replace rename, the new name is claimed first; if the
// claim is not ours any more when the entry would move onto it, nothing replaces it.
TEST(PosixFileSystemTest, AClaimThatIsNoLongerOursIsLeftAndTheEntryKeepsItsName) {
  struct Race {
    const char* label;
    bool directory;
    std::function<void(const std::string& claim)> act;
  };
  // The claim has no permissions; a racer that owns it (or is root) may still write to it.
  const auto write = [](const std::string& path) {
    chmod(path.c_str(), 0700);
    std::ofstream(path) << "racer";
  };
  const Race races[] = {
      {"claim replaced", false, [&](const std::string& c) { unlink(c.c_str()), write(c); }},
      {"claim written", false, write},
      {"claim of a directory filled", true,
       [&](const std::string& c) { chmod(c.c_str(), 0700), write(c + "/in"); }},
  };
  for (const Race& race : races) {
    SCOPED_TRACE(race.label);
    TempTree tree;
    const std::string folder = tree.NewFolder();
    race.directory ? tree.AddDirectory(folder, "a b") : tree.AddFile(folder, "a b", "original");
    PosixFileSystem fs(PosixFileSystem::RenameMethod::kClaimThenRename);
    fs.SetStepHookForTesting([&](std::string_view step) {
      if (step == "claimed") race.act(folder + "/a_b");
    });
    EXPECT_EQ(fs.RenameNoReplace(folder, "a b", "a_b").code(), Status::Code::kAlreadyExists);
    EXPECT_EQ(tree.AllNames(folder), (Names{"a b", "a_b"}));
    EXPECT_EQ(tree.Content(folder, race.directory ? "a_b/in" : "a_b"), "racer");
    if (!race.directory) {
      EXPECT_EQ(tree.Content(folder, "a b"), "original");
    }
  }
}

// A file system that found the entry itself under its new spelling, as one that folds case does.
class FoldingFileSystem : public PosixFileSystem {
  bool NewNameFindsTheEntry(int, const std::string&, const std::string&) const override {
    return true;
  }
};

TEST(PosixFileSystemTest, AChangeOfCaseThatCannotBePutBackSaysWhereTheEntryIs) {
  TempTree tree;
  const std::string folder = tree.NewFolder();
  tree.AddFile(folder, "A.txt", "upper");
  tree.AddFile(folder, "a.txt", "lower");
  FoldingFileSystem fs;
  fs.SetStepHookForTesting([&](std::string_view step) {
    if (step == "parked") tree.AddFile(folder, "A.txt", "racer");  // the old name taken meanwhile
  });
  const Status status = fs.RenameNoReplace(folder, "A.txt", "a.txt");
  EXPECT_EQ(status.code(), Status::Code::kAlreadyExists);
  const Names names = tree.AllNames(folder);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(status.message(),
            std::string(kNameExists) + "; the entry was left as '" + names[0] + "'");
  EXPECT_EQ(tree.Content(folder, names[0]), "upper");
  EXPECT_EQ(tree.Content(folder, "A.txt"), "racer");
  EXPECT_EQ(tree.Content(folder, "a.txt"), "lower");
}

// On a real file system without RENAME_NOREPLACE and without hard links, that folds case: a FAT
// volume mounted through FUSE, in the folder KESTRO_FAT_DIR names (scripts/test.sh makes one where
// the machine can).
TEST(PosixFileSystemTest, OnAFatVolumeNothingIsReplacedAndACaseChangeIsApplied) {
  const char* fat = std::getenv("KESTRO_FAT_DIR");
  if (fat == nullptr || *fat == '\0') GTEST_SKIP() << "KESTRO_FAT_DIR names no FAT folder";
  TempTree tree(fat);
  const std::string folder = tree.NewFolder();
  tree.AddFile(folder, "a b.txt", "original");
  tree.AddFile(folder, "photo.jpg", "photo");
  tree.AddFile(folder, "taken.txt", "taken");
  PosixFileSystem fs;
  fs.SetStepHookForTesting([&](std::string_view step) {
    if (step == "claimed" && stdfs::exists(folder + "/a_b.txt")) {
      unlink((folder + "/a_b.txt").c_str());
      tree.AddFile(folder, "a_b.txt", "racer");
    }
  });
  EXPECT_EQ(fs.RenameNoReplace(folder, "a b.txt", "a_b.txt").code(), Status::Code::kAlreadyExists);
  EXPECT_EQ(fs.RenameNoReplace(folder, "a b.txt", "TAKEN.TXT").code(),
            Status::Code::kAlreadyExists);
  fs.SetStepHookForTesting({});
  EXPECT_TRUE(fs.RenameNoReplace(folder, "photo.jpg", "PHOTO.JPG").ok());
  EXPECT_EQ(tree.AllNames(folder), (Names{"PHOTO.JPG", "a b.txt", "a_b.txt", "taken.txt"}));
  EXPECT_EQ(tree.Content(folder, "a_b.txt"), "racer");
  EXPECT_EQ(tree.Content(folder, "a b.txt"), "original");
  EXPECT_EQ(tree.Content(folder, "taken.txt"), "taken");
}

std::size_t OpenDescriptors() {
  return static_cast<std::size_t>(
      std::distance(stdfs::directory_iterator("/proc/self/fd"), stdfs::directory_iterator()));
}

TEST(PosixFileSystemTest, ARunFollowsItsFolderWhenMovedAndClosesItAtTheEnd) {
  TempTree tree;
  const std::string parent = tree.NewFolder();
  const std::string work = parent + "/work";
  const std::string other = tree.NewFolder();
  tree.AddDirectory(parent, "work");
  tree.AddFile(work, "a", "first a");
  tree.AddFile(other, "x", "x");
  const std::size_t open_before = OpenDescriptors();
  {
    PosixFileSystem fs;
    // A second run begun without an end takes the place of the first.
    fs.BeginRenames(other);
    fs.BeginRenames(work);
    // Another program moves the folder away and makes a new one of its name.
    stdfs::rename(work, parent + "/moved");
    tree.AddDirectory(parent, "work");
    tree.AddFile(work, "a", "second a");
    ASSERT_TRUE(fs.RenameNoReplace(work, "a", "b").ok());
    EXPECT_EQ(tree.AllNames(parent + "/moved"), Names{"b"});
    EXPECT_TRUE(fs.RenameNoReplace(other, "x", "y").ok());
    fs.EndRenames();
    EXPECT_EQ(OpenDescriptors(), open_before);

    // Outside a run the path is looked up anew.
    ASSERT_TRUE(fs.RenameNoReplace(work, "a", "c").ok());
    EXPECT_EQ(tree.Content(work, "c"), "second a");
    fs.BeginRenames(work);  // ended by the file system's end
  }
  EXPECT_EQ(OpenDescriptors(), open_before);
}

TEST(PosixFileSystemTest, ALinkCountsAsWhatItPointsToAndAFolderIsFoundByAnyPath) {
  TempTree tree;
  const std::string folder = tree.NewFolder();
  tree.AddFile(folder, "file", "f");
  tree.AddDirectory(folder, "dir");
  for (const auto& [target, name] : {std::pair{"file", "to file"},
                                     {"dir", "to dir"},
                                     {"nowhere", "dangling"},
                                     {"file", ".hidden link"}})
    ASSERT_EQ(symlink(target, (folder + "/" + name).c_str()), 0);
  ASSERT_EQ(mkfifo((folder + "/pipe").c_str(), 0600), 0);

  PosixFileSystem fs;
  Names names;
  ASSERT_TRUE(fs.ListNames(folder, EntryKind::kFile, &names).ok());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Names{"file", "to file"}));
  ASSERT_TRUE(fs.ListNames(folder, EntryKind::kDirectory, &names).ok());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Names{"dir", "to dir"}));
  // Every name a rename can run into, the dangling link and the pipe too.
  ASSERT_TRUE(fs.ListAllNames(folder, &names).ok());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, tree.AllNames(folder));

  std::string absolute;
  ASSERT_TRUE(fs.AbsoluteFolder(folder + "/to dir/", &absolute).ok());
  EXPECT_EQ(absolute, folder + "/to dir");
  const Status status = fs.AbsoluteFolder(folder + "/to file", &absolute);
  EXPECT_EQ(status.message(), "cannot open folder '" + folder + "/to file': Not a directory");
  // ".." is the parent of where a link leads, not of the link's own folder.
  stdfs::create_directories(folder + "/q/deep");
  stdfs::create_directory(folder + "/q/target");
  stdfs::create_directory(folder + "/target");
  ASSERT_EQ(symlink("q/deep", (folder + "/dlink").c_str()), 0);
  tree.SetWorkingFolder(folder);
  ASSERT_TRUE(fs.AbsoluteFolder("dlink/../target", &absolute).ok());
  EXPECT_EQ(absolute, stdfs::canonical(folder + "/q/target").string());
  ASSERT_TRUE(fs.AbsoluteFolder("dlink/../target/./", &absolute).ok());
  EXPECT_EQ(absolute, stdfs::canonical(folder + "/q/target").string());
  // A working folder longer than the first buffer for its name.
  std::string deep = folder;
  while (deep.size() < 600) stdfs::create_directory(deep += "/" + std::string(50, 'd'));
  tree.SetWorkingFolder(deep);
  ASSERT_TRUE(fs.AbsoluteFolder(".", &absolute).ok());
  EXPECT_EQ(absolute, deep);
}

}  // namespace
}  // namespace kestro
